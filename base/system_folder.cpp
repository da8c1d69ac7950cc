#include "base/system_folder.h"

#include "base/encoding.h"

namespace marlit {

std::optional<std::string> systemFolderPath(const std::string& absoluteHostFolder) {
    auto sjis = utf8ToSjis(absoluteHostFolder);
    if (!sjis)
        return std::nullopt;
    std::string out;
    for (char c : *sjis)
        out.push_back(c == '/' ? '\\' : c);
    if (out.empty() || out.back() != '\\')
        out.push_back('\\');
    return out;
}

}  // namespace marlit
