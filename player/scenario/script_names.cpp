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

}  // namespace marlit
