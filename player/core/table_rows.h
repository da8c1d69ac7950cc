// The game tables' text form: one row a line of fields split at spaces and
// tabs; blank lines and lines whose first field starts with "#" are
// skipped. A line that does not parse is reported as "FILE:LINE: what; the
// line is skipped" and the table goes on without it.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace marlit {

// What reading tables had to say, for the user.
struct TableReport {
    std::vector<std::string> warnings;
};

// Calls `row` with the fields of every line that holds any; `row` returns
// what is wrong with the line, or "" when it took it. False when the file
// cannot be read.
bool eachRow(const std::string& hostPath, TableReport& report,
             const std::function<std::string(const std::vector<std::string>&)>& row);

// A whole field as a decimal number.
std::optional<int> numberOf(std::string_view text);

// The first of `folders` (skipping empty ones) whose file `name` `read`
// takes; false, with a line in the report naming the table, when none has
// it.
bool readFirstTable(const std::vector<std::string>& folders, const char* name,
                    const std::function<bool(const std::string& hostPath)>& read,
                    TableReport& report);

}  // namespace marlit
