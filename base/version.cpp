#include "base/version.h"

#ifndef MARLIT_VERSION
#error "the build sets MARLIT_VERSION from the project's version"
#endif

namespace marlit {

std::string_view projectVersion() {
    return MARLIT_VERSION;
}

std::string versionLine(std::string_view program) {
    return std::string(program) + " " + std::string(projectVersion());
}

}  // namespace marlit
