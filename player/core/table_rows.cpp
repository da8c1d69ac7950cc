#include "player/core/table_rows.h"

#include <charconv>
#include <filesystem>
#include <fstream>

#include "base/words.h"

namespace marlit {

bool eachRow(const std::string& hostPath, TableReport& report,
             const std::function<std::string(const std::vector<std::string>&)>& row) {
    std::ifstream in(hostPath, std::ios::binary);
    if (!in)
        return false;
    std::string line;
    int number = 0;
    while (std::getline(in, line)) {
        ++number;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        std::vector<std::string> fields;
        for (std::string_view word : splitWords(line))
            fields.emplace_back(word);
        if (fields.empty() || fields[0][0] == '#')
            continue;
        std::string wrong = row(fields);
        if (!wrong.empty())
            report.warnings.push_back(hostPath + ":" + std::to_string(number) + ": " + wrong +
                                      "; the line is skipped");
    }
    return true;
}

std::optional<int> numberOf(std::string_view text) {
    int value = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc{} || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

bool readFirstTable(const std::vector<std::string>& folders, const char* name,
                    const std::function<bool(const std::string& hostPath)>& read,
                    TableReport& report) {
    for (const std::string& folder : folders) {
        if (!folder.empty() && read((std::filesystem::path(folder) / name).string()))
            return true;
    }
    report.warnings.push_back(std::string("the table ") + name +
                              " is in none of the data folders; put it beside the packs or in "
                              "the program's data folder");
    return false;
}

}  // namespace marlit
