#include "player/scenario/scenario_tables.h"

#include <cstdlib>
#include <filesystem>

#include "base/sjis.h"
#include "player/core/table_rows.h"

namespace marlit {

bool ScenarioTables::inMannerList(std::string_view path) const {
    for (const std::string& p : manner) {
        if (sameText(p, path))
            return true;
    }
    return false;
}

std::optional<int> ScenarioTables::placeOf(std::string_view path) const {
    for (const PlaceRow& row : places) {
        if (sameText(row.path, path))
            return row.place;
    }
    return std::nullopt;
}

std::string ScenarioTables::dayCardPicture(int heroine) const {
    if (heroine >= 0 && heroine < kHeroines && !dayCard[static_cast<size_t>(heroine)].name.empty())
        return "AdvData\\grp\\bg\\i_" + dayCard[static_cast<size_t>(heroine)].name + ".rbp";
    return "AdvData\\grp\\bg\\i_etc.rbp";
}

int ScenarioTables::dayCardDateY(int heroine) const {
    if (heroine >= 0 && heroine < kHeroines)
        return dayCard[static_cast<size_t>(heroine)].dateY;
    return kOtherDateY;
}

bool readMannerTable(const std::string& hostPath, ScenarioTables& tables, TableReport& report) {
    std::vector<std::string> rows;
    bool ok = eachRow(hostPath, report, [&](const std::vector<std::string>& f) -> std::string {
        if (f.size() != 1)
            return "expected one picture path";
        rows.push_back(f[0]);
        return {};
    });
    if (ok)
        tables.manner = std::move(rows);
    return ok;
}

bool readPlaceTable(const std::string& hostPath, ScenarioTables& tables, TableReport& report) {
    std::vector<PlaceRow> rows;
    bool ok = eachRow(hostPath, report, [&](const std::vector<std::string>& f) -> std::string {
        if (f.size() != 2)
            return "expected a place number and a picture path";
        auto place = numberOf(f[0]);
        if (!place || *place < 0 || *place >= ScenarioTables::kPlaces)
            return "the place number \"" + f[0] + "\" is not 0 to 47";
        rows.push_back({*place, f[1]});
        return {};
    });
    if (ok)
        tables.places = std::move(rows);
    return ok;
}

bool readDayCardTable(const std::string& hostPath, ScenarioTables& tables, TableReport& report) {
    std::array<DayCardRow, ScenarioTables::kHeroines> rows{};
    bool ok = eachRow(hostPath, report, [&](const std::vector<std::string>& f) -> std::string {
        if (f.size() != 3)
            return "expected a heroine number, a picture name (or -) and a date-line y";
        auto heroine = numberOf(f[0]);
        if (!heroine || *heroine < 0 || *heroine >= ScenarioTables::kHeroines)
            return "the heroine number \"" + f[0] + "\" is not 0 to 12";
        auto y = numberOf(f[2]);
        if (!y || *y < 0 || *y > 576)
            return "the date-line y \"" + f[2] + "\" is not 0 to 576";
        rows[static_cast<size_t>(*heroine)] = {f[1] == "-" ? std::string() : f[1], *y};
        return {};
    });
    if (ok)
        tables.dayCard = rows;
    return ok;
}

ScenarioTables loadScenarioTables(const std::vector<std::string>& folders, TableReport& report) {
    ScenarioTables tables;
    using Reader = bool (*)(const std::string&, ScenarioTables&, TableReport&);
    const std::pair<const char*, Reader> files[] = {
        {"manner.txt", readMannerTable},
        {"places.txt", readPlaceTable},
        {"day_card.txt", readDayCardTable},
    };
    for (const auto& [name, read] : files) {
        readFirstTable(
            folders, name,
            [&, read = read](const std::string& path) { return read(path, tables, report); },
            report);
    }
    return tables;
}

std::string scenarioDataFolder() {
    const char* dir = std::getenv("MARLIT_DATA_DIR");
    if (dir && *dir)
        return dir;
    std::error_code ec;
    auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (!ec) {
        auto beside = exe.parent_path().parent_path() / "data";
        if (std::filesystem::exists(beside / "places.txt", ec))
            return beside.string();
    }
#ifdef MARLIT_DATA_DIR
    return MARLIT_DATA_DIR;
#else
    return "data";
#endif
}

}  // namespace marlit
