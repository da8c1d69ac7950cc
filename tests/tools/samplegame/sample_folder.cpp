#include "tests/tools/samplegame/sample_folder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <future>

#include "tests/support/file_bytes.h"
#include "tests/support/run_program.h"
#include "tests/support/temp_dir.h"

namespace marlit::test {

namespace fs = std::filesystem;

namespace {

struct Samples {
    TempDir dir;
    std::string first = dir.file("first");
    std::string second = dir.file("second");

    Samples() {
        // Both runs at once, with different numbers of workers: the bytes
        // must not depend on the order the files are made in.
        auto run = [](const std::string& folder, const char* jobs) {
            return runProgram(programPath("mksample"), {folder, "--small", "--jobs", jobs});
        };
        auto other = std::async(std::launch::async, run, second, "2");
        const auto r = run(first, "1");
        const auto r2 = other.get();
        EXPECT_EQ(r.exitCode, 0) << r.err;
        EXPECT_EQ(r2.exitCode, 0) << r2.err;
    }
};

const Samples& samples() {
    static const Samples made;
    return made;
}

}  // namespace

const std::string& smallSampleFolder() {
    return samples().first;
}

const std::string& secondSampleFolder() {
    return samples().second;
}

std::map<std::string, std::vector<uint8_t>> folderFiles(const std::string& root) {
    std::map<std::string, std::vector<uint8_t>> files;
    std::error_code ec;
    for (auto it = fs::recursive_directory_iterator(root, ec); it != fs::recursive_directory_iterator();
         ++it) {
        if (it->is_regular_file())
            files[fs::relative(it->path(), root).generic_string()] = readFileBytes(it->path().string());
    }
    return files;
}

std::string gameFile(const std::string& root, const std::string& gamePath) {
    std::string p = gamePath;
    std::replace(p.begin(), p.end(), '\\', '/');
    return root + "/" + p;
}

}  // namespace marlit::test
