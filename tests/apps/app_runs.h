// What the app tests share: running a program of the build, and a data set's
// pack of one entry where the converter would put it.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "formats/mlz_pack_writer.h"
#include "tests/support/run_program.h"

namespace marlit::test {

inline ProgramResult run(const std::string& program, const std::vector<std::string>& args) {
    return runProgram(programPath(program), args);
}

inline void writePack(const std::filesystem::path& path) {
    std::filesystem::create_directories(path.parent_path());
    MlzPackWriter w;
    ASSERT_TRUE(w.open(path.string()));
    ASSERT_TRUE(w.add("chip.rbp", std::vector<uint8_t>(40, 7)));
    ASSERT_TRUE(w.finish());
}

}  // namespace marlit::test
