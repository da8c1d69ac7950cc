// The version of the programs, set once in the top CMakeLists.txt.
#pragma once

#include <string>
#include <string_view>

namespace marlit {

// "0.1.0".
std::string_view projectVersion();

// What a program prints for --version: "marlit_vga 0.1.0".
std::string versionLine(std::string_view program);

}  // namespace marlit
