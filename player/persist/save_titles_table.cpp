#include "player/persist/save_titles_table.h"

#include "base/encoding.h"

namespace marlit {

namespace {

constexpr std::string_view kRouteLetters = "nskwemyagtbdr";
constexpr size_t kTitleBytes = 63;  // a summary is a 64-byte field

}  // namespace

SaveTitles loadSaveTitles(const std::vector<std::string>& folders, TableReport& report) {
    SaveTitles titles;
    readFirstTable(
        folders, "save_titles.txt",
        [&](const std::string& path) {
            SaveTitles read;
            const bool found =
                eachRow(path, report, [&](const std::vector<std::string>& f) -> std::string {
                    if (f.size() < 2)
                        return "expected a route letter (or \"game\") and a title";
                    std::string utf8 = f[1];
                    for (size_t i = 2; i < f.size(); ++i)
                        utf8 += " " + f[i];
                    auto sjis = utf8ToSjis(utf8);
                    if (!sjis)
                        return "the title has a character Shift-JIS cannot write";
                    if (sjis->size() > kTitleBytes)
                        return "the title is longer than 63 bytes in Shift-JIS";
                    if (f[0] == "game") {
                        read.game = *sjis;
                        return {};
                    }
                    const size_t route =
                        f[0].size() == 1 ? kRouteLetters.find(f[0][0]) : std::string_view::npos;
                    if (route == std::string_view::npos)
                        return "\"" + f[0] +
                               "\" is no route letter (n s k w e m y a g t b d r) "
                               "nor \"game\"";
                    read.epilogues[route] = *sjis;
                    return {};
                });
            if (found)
                titles = read;
            return found;
        },
        report);
    return titles;
}

}  // namespace marlit
