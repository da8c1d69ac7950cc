// The fields of the screens' table lines: names with "-" for none.
#pragma once

#include <string>
#include <vector>

namespace marlit {

using Fields = std::vector<std::string>;

// A name field: "-" is the empty name.
inline std::string nameOf(const std::string& field) {
    return field == "-" ? std::string() : field;
}

// What is wrong with a name field ("" when nothing): names are kept in
// 64-byte fields, so at most 63 bytes.
inline std::string checkName(const std::string& field, const char* what) {
    if (field.size() > 63)
        return std::string("the ") + what + " \"" + field.substr(0, 20) +
               "...\" is longer than 63 bytes";
    return {};
}

}  // namespace marlit
