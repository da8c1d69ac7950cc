#include "player/scenario/script_names.h"

#include "base/sjis.h"

namespace marlit {

std::string backgroundPicturePath(std::string_view name) {
    return "AdvData\\grp\\" + std::string(name) + ".rbp";
}

std::string characterPicturePath(std::string_view name) {
    if (!name.empty() && name.back() == '@')
        name.remove_suffix(1);
    return backgroundPicturePath(name);
}

bool isMapBackground(std::string_view name) {
    return sameText(name, "system\\map_a") || sameText(name, "system\\map_p");
}

std::optional<ScriptDate> dateOfScript(std::string_view label) {
    const auto digit = [&label](size_t i) { return label[i] >= '0' && label[i] <= '9'; };
    if (label.size() < 4 || !digit(0) || !digit(1) || !digit(2) || !digit(3))
        return std::nullopt;
    return ScriptDate{(label[0] - '0') * 10 + (label[1] - '0'),
                      (label[2] - '0') * 10 + (label[3] - '0')};
}

}  // namespace marlit
