#include "tests/tools/samplegame/sample_folder.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <future>

#include "tests/support/file_bytes.h"
#include "tests/support/run_program.h"

namespace marlit::test {

namespace fs = std::filesystem;

namespace {

// The folders live beside the built programs and are made again whenever
// mksample has been rebuilt, so that the test cases (each run as a program
// of its own) share one pair of runs. A lock keeps parallel cases from
// making them twice.
struct Samples {
    std::string base =
        (fs::path(programPath("mksample")).parent_path().parent_path() / "samplegame-small")
            .string();
    std::string first = base + "/first";
    std::string second = base + "/second";

    Samples() {
        fs::create_directories(base);
        const int lock = ::open((base + ".lock").c_str(), O_CREAT | O_RDWR, 0644);
        EXPECT_GE(lock, 0) << "cannot open the lock beside " << base;
        if (lock >= 0)
            ::flock(lock, LOCK_EX);
        const std::string program = programPath("mksample");
        std::error_code ec;
        const auto stamp =
            std::to_string(fs::file_size(program, ec)) + " " +
            std::to_string(fs::last_write_time(program, ec).time_since_epoch().count());
        if (readFileText(base + "/stamp") != stamp) {
            fs::remove_all(first, ec);
            fs::remove_all(second, ec);
            // Both runs at once, with different numbers of workers: the
            // bytes must not depend on the order the files are made in.
            auto run = [&program](const std::string& folder, const char* jobs) {
                return runProgram(program, {folder, "--small", "--jobs", jobs});
            };
            auto other = std::async(std::launch::async, run, second, "2");
            const auto r = run(first, "1");
            const auto r2 = other.get();
            EXPECT_EQ(r.exitCode, 0) << r.err;
            EXPECT_EQ(r2.exitCode, 0) << r2.err;
            if (r.exitCode == 0 && r2.exitCode == 0) {
                const std::vector<uint8_t> bytes(stamp.begin(), stamp.end());
                writeFileBytes(base + "/stamp", bytes);
            }
        }
        if (lock >= 0)
            ::close(lock);
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
    for (auto it = fs::recursive_directory_iterator(root, ec);
         it != fs::recursive_directory_iterator(); ++it) {
        if (it->is_regular_file())
            files[fs::relative(it->path(), root).generic_string()] =
                readFileBytes(it->path().string());
    }
    return files;
}

std::string gameFile(const std::string& root, const std::string& gamePath) {
    std::string p = gamePath;
    std::replace(p.begin(), p.end(), '\\', '/');
    return root + "/" + p;
}

}  // namespace marlit::test
