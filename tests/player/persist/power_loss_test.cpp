// marlitpc.cfg written by a process that is killed outright at random
// instants, as a power cut would stop it: the file always reads back as
// one whole version, the old one or the new one, and so does its backup.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <random>
#include <string>

#include "base/atomic_file.h"
#include "base/files.h"
#include "base/kept_file.h"
#include "player/persist/config_cache.h"
#include "player/persist/player_logs.h"
#include "player/persist/save_record.h"
#include "tests/support/child_run.h"
#include "tests/support/temp_dir.h"

namespace marlit {
namespace {

constexpr int kFillerLines = 120;
constexpr std::string_view kSection = "POWER";

std::string fillerValue(int version, int line) {
    return std::to_string(version) + "-" + std::to_string(line) + "-" +
           std::string(40, static_cast<char>('a' + (version + line) % 26));
}

// Version `n` of the file, written through the cache as the player does.
void writeVersion(ConfigCache& cache, const std::string& path, int n) {
    cache.WriteString(kSection, "COUNT", std::to_string(n), path);
    for (int i = 0; i < kFillerLines; ++i)
        cache.WriteString(kSection, "LINE_" + std::to_string(i), fillerValue(n, i), path);
    cache.WriteString(kSection, "END", std::to_string(n), path);
}

// The version a file holds, or -1 when it is not one whole version.
int wholeVersion(const std::string& path) {
    auto bytes = readHostFile(path);
    if (!bytes)
        return -1;
    const std::string text(bytes->begin(), bytes->end());
    const auto lines = ConfigCache::splitLines(text);
    if (lines.size() != kFillerLines + 3 || text.size() < 2 ||
        text.substr(text.size() - 2) != "\r\n")
        return -1;
    ConfigCache cache;
    const int n = cache.ReadInt(kSection, "COUNT", -1, path);
    if (n < 0 || cache.ReadInt(kSection, "END", -2, path) != n)
        return -1;
    for (int i = 0; i < kFillerLines; ++i) {
        if (cache.readRaw(kSection, "LINE_" + std::to_string(i), path) != fillerValue(n, i))
            return -1;
    }
    return n;
}

TEST(PowerLoss, TheConfigurationFileIsAlwaysTheOldOrTheNewVersion) {
    test::TempDir dir;
    const std::string path = dir.file("marlitpc.cfg");
    {
        ConfigCache cache;
        writeVersion(cache, path, 0);
        ASSERT_TRUE(cache.Flush());
    }
    // Kills land from the child's start to twice the time one child takes
    // to write a version (on this machine, now), so that some runs write
    // several versions and others none.
    const auto start = std::chrono::steady_clock::now();
    ASSERT_EQ(test::inChild([&path] {
                  ConfigCache cache;
                  writeVersion(cache, path, 0);
                  return cache.Flush() ? 0 : 1;
              }),
              0);
    const auto oneWrite = std::chrono::duration_cast<std::chrono::microseconds>(
        std::chrono::steady_clock::now() - start);
    std::mt19937 random(20261209);
    std::uniform_int_distribution<uint32_t> instant(
        0, static_cast<uint32_t>(std::min<int64_t>(2 * oneWrite.count(), 40000)));
    int last = 0;
    int newer = 0;
    int cutMidWrite = 0;
    int sameAsBackup = 0;
    constexpr int kRuns = 300;
    for (int run = 0; run < kRuns; ++run) {
        const int from = last;
        const int code = test::inChildKilledAfter(instant(random), [&path, from] {
            ConfigCache cache;
            for (int n = from + 1;; ++n) {
                writeVersion(cache, path, n);
                if (!cache.Flush())
                    return 3;
            }
        });
        ASSERT_EQ(code, 128 + SIGKILL) << "the writer ended by itself";
        const int now = wholeVersion(path);
        ASSERT_GE(now, last) << "run " << run << ": the file is torn or went back";
        // The backup is the version before, or the same one when the kill
        // came between making the backup and renaming the new file.
        const int backup = wholeVersion(backupPathOf(path));
        ASSERT_GE(backup, 0) << "run " << run << ": the backup is torn or missing";
        ASSERT_LE(backup, now);
        sameAsBackup += backup == now;
        newer += now > last;
        last = now;
        // A writer killed mid-write leaves its temporary file, which the
        // next run of the player clears away.
        const int stale =
            AtomicFile::removeStale(path) + AtomicFile::removeStale(backupPathOf(path));
        cutMidWrite += stale > 0;
    }
    std::printf(
        "%d kills within %lld us: %d left a newer version, %d cut a write short, %d came "
        "after the backup was made; last version %d\n",
        kRuns, static_cast<long long>(2 * oneWrite.count()), newer, cutMidWrite, sameAsBackup,
        last);
    EXPECT_GT(newer, 0) << "no run got as far as a whole write";
    EXPECT_GT(cutMidWrite, 0) << "no kill landed in the middle of a write";
}

// Version n of a save slot, save000.dat, syslog.dat and message.dat, each
// written as a save writes them: the slot's caller word, the system
// variable (100, 0), the number of scripts seen and of scripts in the read
// log all say n.
struct SaveFolderVersion {
    explicit SaveFolderVersion(std::string folder)
        : logs(folder, read, seen, vars), slot(folder + "/save001.dat") {}
    ReadLog read;
    SeenLists seen;
    ScenarioVars vars;
    PlayerLogs logs;
    std::string slot;

    bool write(int n) {
        SaveRecord record;
        record.caller = n;
        record.position = n;
        record.label = "power";
        std::vector<uint8_t> bytes = encodeSaveRecord(record);
        bytes.resize(bytes.size() + 9654, static_cast<uint8_t>(n));  // a thumbnail's worth
        if (!writeKeptFile(slot, bytes))
            return false;
        vars.set(100, 0, n);
        for (int i = static_cast<int>(seen.scripts().size()); i < n; ++i) {
            seen.addScript("v" + std::to_string(i));
            read.markRead("v" + std::to_string(i), i % 512);
        }
        return logs.SaveSystem() && logs.WriteLogs();
    }
};

// The versions the four files hold; -1 for a file that is torn or missing.
std::array<int, 4> wholeVersions(const std::string& folder, bool backup) {
    auto bytes = [&](std::string_view name) {
        std::string path = folder + "/" + std::string(name);
        return readHostFile(backup ? backupPathOf(path) : path);
    };
    std::array<int, 4> v{-1, -1, -1, -1};
    if (auto b = bytes("save001.dat")) {
        auto record = decodeSaveRecord(*b);
        if (record && b->size() == 48180 + 9654 && record->position == record->caller &&
            b->back() == static_cast<uint8_t>(record->caller))
            v[0] = record->caller;
    }
    if (auto b = bytes(kSystemFileName)) {
        ScenarioVars vars;
        if (decodeSystemRecord(*b, vars))
            v[1] = vars.get(100, 0);
    }
    if (auto b = bytes(kSeenFileName)) {
        SeenLists seen;
        if (decodeSeenLists(*b, seen))
            v[2] = static_cast<int>(seen.scripts().size());
    }
    if (auto b = bytes(kReadLogFileName)) {
        ReadLog read;
        if (decodeReadLog(*b, read))
            v[3] = static_cast<int>(read.entries().size());
    }
    return v;
}

TEST(PowerLoss, SlotsAndLogsAreAlwaysTheOldOrTheNewVersion) {
    test::TempDir dir;
    const std::string folder = dir.path().string();
    {
        SaveFolderVersion first(folder);
        ASSERT_TRUE(first.write(1));
        ASSERT_TRUE(first.write(1));  // the backups too
    }
    const auto start = std::chrono::steady_clock::now();
    ASSERT_EQ(test::inChild([&folder] {
                  SaveFolderVersion one(folder);
                  return one.write(1) ? 0 : 1;
              }),
              0);
    const auto oneWrite = std::chrono::duration_cast<std::chrono::microseconds>(
        std::chrono::steady_clock::now() - start);
    std::mt19937 random(20261210);
    std::uniform_int_distribution<uint32_t> instant(
        0, static_cast<uint32_t>(std::min<int64_t>(2 * oneWrite.count(), 40000)));
    std::array<int, 4> last{1, 1, 1, 1};
    int moved = 0;
    int cutMidWrite = 0;
    constexpr int kRuns = 300;
    for (int run = 0; run < kRuns; ++run) {
        // Each run starts from the newest version any file holds.
        const int from = *std::max_element(last.begin(), last.end());
        const int code = test::inChildKilledAfter(instant(random), [&folder, from] {
            SaveFolderVersion writer(folder);
            for (int i = 0; i < from; ++i) {
                writer.seen.addScript("v" + std::to_string(i));
                writer.read.markRead("v" + std::to_string(i), i % 512);
            }
            for (int n = from + 1; n < 1000; ++n) {
                if (!writer.write(n))
                    return 3;
            }
            return 4;
        });
        ASSERT_EQ(code, 128 + SIGKILL) << "the writer ended by itself";
        const auto now = wholeVersions(folder, false);
        const auto backup = wholeVersions(folder, true);
        for (size_t f = 0; f < 4; ++f) {
            ASSERT_GE(now[f], last[f]) << "run " << run << ", file " << f << ": torn or went back";
            ASSERT_GE(backup[f], 0) << "run " << run << ", file " << f << ": backup torn";
            ASSERT_LE(backup[f], now[f]);
        }
        moved += now != last;
        last = now;
        int stale = 0;
        for (const char* name : {"save001.dat", "save000.dat", "syslog.dat", "message.dat"}) {
            const std::string path = folder + "/" + name;
            stale += AtomicFile::removeStale(path) + AtomicFile::removeStale(backupPathOf(path));
        }
        cutMidWrite += stale > 0;
    }
    std::printf(
        "%d kills within %lld us while saving: %d left newer files, %d cut a write short; "
        "versions now %d %d %d %d\n",
        kRuns, static_cast<long long>(2 * oneWrite.count()), moved, cutMidWrite, last[0], last[1],
        last[2], last[3]);
    EXPECT_GT(moved, 0) << "no run got as far as a whole write";
    EXPECT_GT(cutMidWrite, 0) << "no kill landed in the middle of a write";
}

}  // namespace
}  // namespace marlit
