// Runs one of the built programs as a user would and collects what it said.
#pragma once

#include <string>
#include <vector>

namespace marlit::test {

struct ProgramResult {
    int exitCode = -1;
    std::string out;
    std::string err;
};

// The path of a built program (build/<kind>/bin/NAME).
std::string programPath(const std::string& name);

// Runs program with args (no shell); stdin is empty.
ProgramResult runProgram(const std::string& program, const std::vector<std::string>& args);

// The contents of a file, or an empty string.
std::string readFileText(const std::string& path);

}  // namespace marlit::test
