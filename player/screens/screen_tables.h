// The game tables of the map, the day change and the ending sequences. They
// belong to the data, not to the program: text files read at start-up from
// the data set's folder (beside its picture pack) or the program's data
// folder, one row a line, blank lines and lines starting with "#" skipped,
// "-" for an empty name:
//   map_schedule.txt   row (0-19), place (0-8), script, crowd voice
//                      0 2 0225c_ns01 VOICE\GAYA\gaya_ns01.mp3
//   map_icons.txt      character letter, icon (0-63)        n 0
//   map_places.txt     map, place, pointer x y, preview x y map_a 0 200 206 244 56
//   day_change.txt     day of the month (1-31), script      24 0224d_f02
//   ending_sequences.txt  route (0-13), time in ms, full picture, right panel
//                      0 4000 - AdvData\GRP\STAFF\edroll01.rbp
//   ending_scripts.txt route (0-13), follow-up script      0 0310a_ned
// A cell, day or route without a row is empty.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "player/core/table_rows.h"

namespace marlit {

struct MapPlace {
    int pointerX = 0;
    int pointerY = 0;
    int previewX = 0;
    int previewY = 0;
};

struct ScheduleCell {
    std::string script;      // empty: no scene at this place
    std::string crowdVoice;  // empty: silent
};

struct EndingRecord {
    int32_t time = 0;   // ms of the music
    std::string full;   // the whole-screen picture, or empty
    std::string panel;  // the right-hand panel, or empty
    // A record with both pictures empty ends the sequence.
    bool ends() const { return full.empty() && panel.empty(); }
};

struct ScreenTables {
    static constexpr int kRows = 20;
    static constexpr int kPlaces = 9;
    static constexpr int kMaps = 2;  // 0 "map_a", 1 "map_p"
    static constexpr int kIcons = 64;
    static constexpr int kDays = 31;
    static constexpr int kRoutes = 14;
    static constexpr int kRecords = 27;
    // The icon of a letter outside the table.
    static constexpr int kOtherIcon = 20;

    // The tables' types, for the readers that build one before taking it.
    using Schedule = std::array<std::array<ScheduleCell, kPlaces>, kRows>;
    using Icons = std::array<int, 26>;
    using Places = std::array<std::array<MapPlace, kPlaces>, kMaps>;
    using DayScripts = std::array<std::string, kDays + 1>;
    using Endings = std::array<std::vector<EndingRecord>, kRoutes>;
    using FollowUps = std::array<std::string, kRoutes>;

    Schedule schedule{};
    // Icon by letter 'a'..'z' (either case), -1 for a letter without one.
    Icons icons{};
    Places places{};
    DayScripts dayScripts{};  // by day of the month
    Endings endings{};
    FollowUps followUps{};

    ScreenTables() { icons.fill(-1); }
    // The icon of a character letter; -1 when the letter has none.
    int icon(char letter) const;
    // The script after the day change on a day of the month; "" for none.
    std::string dayScript(int day) const;
    // The first schedule row of a day's pair (the half-day picks the row
    // within it); -1 for a day outside the schedule.
    static int firstRowOfDay(int day);
};

// Each reader replaces its own table in `tables` with the rows it reads; a
// wrong line is reported as "FILE:LINE: what" and skipped. False (nothing
// changed) when the file cannot be read.
bool readScheduleTable(const std::string& hostPath, ScreenTables& tables, TableReport& report);
bool readIconTable(const std::string& hostPath, ScreenTables& tables, TableReport& report);
bool readMapPlaceTable(const std::string& hostPath, ScreenTables& tables, TableReport& report);
bool readDayChangeTable(const std::string& hostPath, ScreenTables& tables, TableReport& report);
bool readEndingSequenceTable(const std::string& hostPath, ScreenTables& tables,
                             TableReport& report);
bool readEndingScriptTable(const std::string& hostPath, ScreenTables& tables, TableReport& report);

// Every table from the first folder that has its file; a table found in
// none is empty and named in the report.
ScreenTables loadScreenTables(const std::vector<std::string>& folders, TableReport& report);

}  // namespace marlit
