// The tables of the map and the day change: the schedule with its crowd
// voices, the character icons, the place positions and the day's scripts.
#include <cctype>
#include <set>
#include <utility>

#include "player/screens/screen_tables.h"
#include "player/screens/table_fields.h"

namespace marlit {

int ScreenTables::icon(char letter) const {
    const int lower = std::tolower(static_cast<unsigned char>(letter));
    if (lower < 'a' || lower > 'z')
        return -1;
    return icons[static_cast<size_t>(lower - 'a')];
}

int ScreenTables::firstRowOfDay(int day) {
    switch (day) {
        case 25:
            return 0;
        case 26:
            return 2;
        case 27:
            return 4;
        case 28:
            return 6;
        case 1:
        case 2:
        case 3:
        case 4:
        case 5:
        case 6:
            return 6 + 2 * day;
        default:
            return -1;
    }
}

std::string ScreenTables::dayScript(int day) const {
    if (day < 1 || day > kDays)
        return {};
    return dayScripts[static_cast<size_t>(day)];
}

bool readScheduleTable(const std::string& hostPath, ScreenTables& tables, TableReport& report) {
    // Its cells are strings, empty as made; "rows{}" would say the same,
    // but clang 14 (the fuzzing build) crashes on it.
    ScreenTables::Schedule rows;
    std::set<std::pair<int, int>> named;
    bool ok = eachRow(hostPath, report, [&](const Fields& f) -> std::string {
        if (f.size() != 4)
            return "expected a row, a place, a script name (or -) and a crowd voice (or -)";
        auto row = numberOf(f[0]);
        if (!row || *row < 0 || *row >= ScreenTables::kRows)
            return "the row \"" + f[0] + "\" is not 0 to 19";
        auto place = numberOf(f[1]);
        if (!place || *place < 0 || *place >= ScreenTables::kPlaces)
            return "the place \"" + f[1] + "\" is not 0 to 8";
        if (auto wrong = checkName(f[2], "script name"); !wrong.empty())
            return wrong;
        if (auto wrong = checkName(f[3], "crowd voice"); !wrong.empty())
            return wrong;
        if (!named.insert({*row, *place}).second)
            return "row " + f[0] + " place " + f[1] + " is named twice";
        rows[static_cast<size_t>(*row)][static_cast<size_t>(*place)] = {nameOf(f[2]), nameOf(f[3])};
        return {};
    });
    if (ok)
        tables.schedule = std::move(rows);
    return ok;
}

bool readIconTable(const std::string& hostPath, ScreenTables& tables, TableReport& report) {
    ScreenTables::Icons icons{};
    icons.fill(-1);
    bool ok = eachRow(hostPath, report, [&](const Fields& f) -> std::string {
        if (f.size() != 2)
            return "expected a character letter and an icon number";
        const unsigned char letter = f[0].size() == 1 ? static_cast<unsigned char>(f[0][0]) : 0;
        if (!std::isalpha(letter))
            return "\"" + f[0] + "\" is not one letter a to z";
        auto icon = numberOf(f[1]);
        if (!icon || *icon < 0 || *icon >= ScreenTables::kIcons)
            return "the icon \"" + f[1] + "\" is not 0 to 63";
        icons[static_cast<size_t>(std::tolower(letter) - 'a')] = *icon;
        return {};
    });
    if (ok)
        tables.icons = icons;
    return ok;
}

bool readMapPlaceTable(const std::string& hostPath, ScreenTables& tables, TableReport& report) {
    ScreenTables::Places places{};
    bool ok = eachRow(hostPath, report, [&](const Fields& f) -> std::string {
        if (f.size() != 6)
            return "expected a map (map_a or map_p), a place, the pointer's x y and the "
                   "preview's x y";
        int map = f[0] == "map_a" ? 0 : f[0] == "map_p" ? 1 : -1;
        if (map < 0)
            return "the map \"" + f[0] + "\" is not map_a or map_p";
        auto place = numberOf(f[1]);
        if (!place || *place < 0 || *place >= ScreenTables::kPlaces)
            return "the place \"" + f[1] + "\" is not 0 to 8";
        int xy[4];
        for (int i = 0; i < 4; ++i) {
            auto v = numberOf(f[static_cast<size_t>(2 + i)]);
            const int limit = i % 2 == 0 ? 800 : 600;
            if (!v || *v < 0 || *v > limit)
                return "the position \"" + f[static_cast<size_t>(2 + i)] + "\" is not 0 to " +
                       std::to_string(limit);
            xy[i] = *v;
        }
        places[static_cast<size_t>(map)][static_cast<size_t>(*place)] = {xy[0], xy[1], xy[2],
                                                                         xy[3]};
        return {};
    });
    if (ok)
        tables.places = places;
    return ok;
}

bool readDayChangeTable(const std::string& hostPath, ScreenTables& tables, TableReport& report) {
    ScreenTables::DayScripts days{};
    bool ok = eachRow(hostPath, report, [&](const Fields& f) -> std::string {
        if (f.size() != 2)
            return "expected a day of the month and a script name";
        auto day = numberOf(f[0]);
        if (!day || *day < 1 || *day > ScreenTables::kDays)
            return "the day \"" + f[0] + "\" is not 1 to 31";
        if (auto wrong = checkName(f[1], "script name"); !wrong.empty())
            return wrong;
        days[static_cast<size_t>(*day)] = nameOf(f[1]);
        return {};
    });
    if (ok)
        tables.dayScripts = std::move(days);
    return ok;
}

}  // namespace marlit
