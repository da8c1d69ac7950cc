// The tables of the ending sequences and their follow-up scripts, and the
// loading of every screen table from the data folders.
#include <utility>

#include "player/screens/screen_tables.h"
#include "player/screens/table_fields.h"

namespace marlit {

namespace {

std::optional<int> routeOf(const std::string& field) {
    auto route = numberOf(field);
    if (!route || *route < 0 || *route >= ScreenTables::kRoutes)
        return std::nullopt;
    return route;
}

}  // namespace

bool readEndingSequenceTable(const std::string& hostPath, ScreenTables& tables,
                             TableReport& report) {
    ScreenTables::Endings endings{};
    bool ok = eachRow(hostPath, report, [&](const Fields& f) -> std::string {
        if (f.size() != 4)
            return "expected a route, a time in ms, a full picture (or -) and a right panel "
                   "(or -)";
        auto route = routeOf(f[0]);
        if (!route)
            return "the route \"" + f[0] + "\" is not 0 to 13";
        auto time = numberOf(f[1]);
        if (!time || *time < 0)
            return "the time \"" + f[1] + "\" is not a number of ms from 0";
        for (size_t i = 2; i < 4; ++i) {
            if (auto wrong = checkName(f[i], "picture path"); !wrong.empty())
                return wrong;
        }
        auto& records = endings[static_cast<size_t>(*route)];
        if (records.size() == ScreenTables::kRecords)
            return "route " + f[0] + " has more than 27 records";
        if (!records.empty() && *time < records.back().time)
            return "the time " + f[1] + " comes before the route's previous record";
        if (!records.empty() && records.back().ends())
            return "route " + f[0] + " has already ended";
        records.push_back({*time, nameOf(f[2]), nameOf(f[3])});
        return {};
    });
    if (ok)
        tables.endings = std::move(endings);
    return ok;
}

bool readEndingScriptTable(const std::string& hostPath, ScreenTables& tables, TableReport& report) {
    ScreenTables::FollowUps scripts{};
    bool ok = eachRow(hostPath, report, [&](const Fields& f) -> std::string {
        if (f.size() != 2)
            return "expected a route and a script name (or - for the staff roll)";
        auto route = routeOf(f[0]);
        if (!route)
            return "the route \"" + f[0] + "\" is not 0 to 13";
        if (auto wrong = checkName(f[1], "script name"); !wrong.empty())
            return wrong;
        scripts[static_cast<size_t>(*route)] = nameOf(f[1]);
        return {};
    });
    if (ok)
        tables.followUps = std::move(scripts);
    return ok;
}

ScreenTables loadScreenTables(const std::vector<std::string>& folders, TableReport& report) {
    ScreenTables tables;
    using Reader = bool (*)(const std::string&, ScreenTables&, TableReport&);
    const std::pair<const char*, Reader> files[] = {
        {"map_schedule.txt", readScheduleTable},
        {"map_icons.txt", readIconTable},
        {"map_places.txt", readMapPlaceTable},
        {"day_change.txt", readDayChangeTable},
        {"ending_sequences.txt", readEndingSequenceTable},
        {"ending_scripts.txt", readEndingScriptTable},
    };
    for (const auto& [name, read] : files) {
        readFirstTable(
            folders, name,
            [&, read = read](const std::string& hostPath) {
                return read(hostPath, tables, report);
            },
            report);
    }
    return tables;
}

}  // namespace marlit
