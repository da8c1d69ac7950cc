// The game tables that belong to the data rather than to the program: the
// manner list (backgrounds hidden by DISP_FREE_MODE), the place table
// (background -> place caption) and the day card's heroines (picture name
// and date-line height). They are text files, read at start-up from the
// program's data folder; a data set may carry files of the same names
// beside its packs, which are then read instead.
//
// Text form, one row a line; blank lines and lines starting with "#" are
// skipped:
//   manner.txt     a picture path                    AdvData\GRP\BG\a09b.rbp
//   places.txt     place number (0-47), path         8 AdvData\GRP\BG\hai_01.rbp
//   day_card.txt   heroine (0-12), name or "-", y    0 duzo 400
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "player/core/table_rows.h"

namespace marlit {

struct PlaceRow {
    int place = 0;
    std::string path;
};

struct DayCardRow {
    std::string name;  // "i_" + name; empty: the general picture
    int dateY = 344;
};

struct ScenarioTables {
    static constexpr int kHeroines = 13;
    static constexpr int kPlaces = 48;
    static constexpr int kOtherDateY = 344;

    std::vector<std::string> manner;
    std::vector<PlaceRow> places;
    std::array<DayCardRow, kHeroines> dayCard{};

    bool inMannerList(std::string_view path) const;
    // The place of a background path, first row wins; none when unlisted.
    std::optional<int> placeOf(std::string_view path) const;
    // The day card's picture and date-line y for the heroine variable.
    std::string dayCardPicture(int heroine) const;
    int dayCardDateY(int heroine) const;
};

// Reads one table file into `tables` (replacing that table). A line that
// does not parse is reported through `warn` as "FILE:LINE: what" and
// skipped. False (nothing changed) when the file cannot be read.
bool readMannerTable(const std::string& hostPath, ScenarioTables& tables, TableReport& report);
bool readPlaceTable(const std::string& hostPath, ScenarioTables& tables, TableReport& report);
bool readDayCardTable(const std::string& hostPath, ScenarioTables& tables, TableReport& report);

// The three tables from the first folder that has each file: the data set's
// folder (beside the packs) before the program's data folder. A table found
// in neither is empty and named in the report.
ScenarioTables loadScenarioTables(const std::vector<std::string>& folders, TableReport& report);

// The program's data folder: $MARLIT_DATA_DIR, else "data" beside the
// programs' folder (bin/../data), else the source tree's data folder.
std::string scenarioDataFolder();

}  // namespace marlit
