// The system record, the read log and the seen lists in their files.
#include <gtest/gtest.h>

#include <filesystem>

#include "base/bytes.h"
#include "base/files.h"
#include "player/persist/player_logs.h"
#include "tests/support/temp_dir.h"

namespace marlit {
namespace {

struct Logs {
    test::TempDir dir;
    ReadLog read;
    SeenLists seen;
    ScenarioVars vars;
    PlayerLogs logs{dir.path(), read, seen, vars};
    std::optional<std::vector<uint8_t>> bytes(std::string_view name) {
        return readHostFile(logs.file(name));
    }
};

TEST(SystemRecord, HoldsBanks50To255AtTheirOffsets) {
    Logs a;
    a.vars.set(50, 0, 11);
    a.vars.set(100, 3, -2);
    a.vars.set(255, 255, 9);
    a.vars.set(49, 255, 77);  // a story variable: not in the file
    ASSERT_TRUE(a.logs.SaveSystem());
    auto b = a.bytes(kSystemFileName);
    ASSERT_TRUE(b);
    ASSERT_EQ(b->size(), 105472u);
    EXPECT_EQ(loadU16(&(*b)[0]), 11u);
    EXPECT_EQ(static_cast<int16_t>(loadU16(&(*b)[25606])), -2);
    EXPECT_EQ(loadU16(&(*b)[105470]), 9u);

    Logs c;
    std::filesystem::copy_file(a.logs.file(kSystemFileName), c.logs.file(kSystemFileName));
    c.vars.set(5, 5, 3);
    c.logs.LoadSystem();
    EXPECT_EQ(c.vars.get(100, 3), -2);
    EXPECT_EQ(c.vars.get(49, 255), 0);
    EXPECT_EQ(c.vars.get(5, 5), 3) << "the story variables are not touched";

    ScenarioVars v;
    v.set(100, 3, 1);
    EXPECT_FALSE(decodeSystemRecord(std::span(*b).first(105470), v));
    EXPECT_EQ(v.get(100, 3), 1) << "a short record leaves the variables";
}

TEST(SeenListsFile, EmptyIsTwentyBytesAndNamesAreListedOnce) {
    Logs a;
    ASSERT_TRUE(a.logs.WriteLogs());
    auto empty = a.bytes(kSeenFileName);
    ASSERT_TRUE(empty);
    EXPECT_EQ(*empty, (std::vector<uint8_t>{'H', 'X', 'S', '1', 0, 0, 0, 0, 0, 0,
                                            0,   0,   0,   0,   0, 0, 0, 0, 0, 0}));
    EXPECT_FALSE(a.bytes(kReadLogFileName)) << "no message.dat without records";

    EXPECT_TRUE(a.seen.addScript("0226a_n01"));
    EXPECT_FALSE(a.seen.addScript("0226A_N01")) << "a script entered twice is listed once";
    EXPECT_TRUE(a.seen.add(SeenLists::kPictures, "umi_01.rbp"));
    EXPECT_TRUE(a.seen.add(SeenLists::kPictures, "0226a_n01")) << "the lists are separate";
    ASSERT_TRUE(a.logs.WriteLogs());
    auto b = a.bytes(kSeenFileName);
    ASSERT_TRUE(b);
    EXPECT_EQ(loadU32(&(*b)[4]), 2u);
    EXPECT_EQ(loadU32(&(*b)[8]), 21u);

    Logs c;
    c.seen.addScript("stale");
    std::filesystem::copy_file(a.logs.file(kSeenFileName), c.logs.file(kSeenFileName));
    c.logs.ReadLogs();
    EXPECT_EQ(c.seen.names(0), (std::vector<std::string>{"umi_01.rbp", "0226a_n01"}));
    EXPECT_EQ(c.seen.scripts(), (std::vector<std::string>{"0226a_n01"}));
}

TEST(SeenListsFile, DamagedFilesAreReadUpToTheirEnd) {
    SeenLists lists;
    lists.add(0, "a.rbp");
    lists.add(0, "b.rbp");
    lists.add(1, "s1");
    auto b = encodeSeenLists(lists);
    storeU32(&b[4], 1000);  // more names than the file holds
    SeenLists back;
    EXPECT_FALSE(decodeSeenLists(b, back)) << "the file ends before the thousandth name";
    ASSERT_GE(back.names(0).size(), 2u);
    EXPECT_EQ(back.names(0)[1], "b.rbp");
    auto cut = encodeSeenLists(lists);
    cut.pop_back();  // "s1" without its NUL
    EXPECT_FALSE(decodeSeenLists(cut, back));
    EXPECT_EQ(back.names(0).size(), 2u);
    EXPECT_TRUE(back.scripts().empty());
}

TEST(SeenListsFile, AFullPoolRecordsNothingMore) {
    SeenLists lists;
    for (size_t i = 0; i < SeenLists::kNames; ++i)
        ASSERT_TRUE(lists.add(static_cast<int>(i % 2), "n" + std::to_string(i)));
    EXPECT_FALSE(lists.add(0, "one more"));
    EXPECT_FALSE(lists.isSeen(0, "one more"));
}

TEST(ReadLogFile, BitsMessagesAndRepeatedNames) {
    Logs a;
    EXPECT_TRUE(a.read.markRead("0226a_n01", 511));
    EXPECT_FALSE(a.read.markRead("0226a_n01", 512));
    EXPECT_FALSE(a.read.isRead("0226a_n01", 512));
    EXPECT_TRUE(a.read.markRead("0226a_n01", 9));
    ASSERT_TRUE(a.logs.WriteLogs());
    auto b = a.bytes(kReadLogFileName);
    ASSERT_TRUE(b);
    ASSERT_EQ(b->size(), 4u + 10 + 64);
    EXPECT_EQ(loadU32(&(*b)[0]), 1u);
    EXPECT_EQ((*b)[4 + 10 + 1], 0x02) << "message 9: bit 1 of byte 1";
    EXPECT_EQ((*b)[4 + 10 + 63], 0x80) << "message 511: bit 7 of byte 63";

    // Two records of one name: the later bits stay.
    ByteWriter twice;
    twice.u32(2);
    for (uint8_t bits : {uint8_t{0x01}, uint8_t{0x04}}) {
        twice.bytes("s\0", 2);
        twice.u8(bits);
        twice.zeros(63);
    }
    ReadLog log;
    EXPECT_TRUE(decodeReadLog(twice.buffer(), log));
    ASSERT_EQ(log.entries().size(), 1u);
    EXPECT_FALSE(log.isRead("s", 0));
    EXPECT_TRUE(log.isRead("s", 2));

    // A count past the data: the whole records before the end are kept.
    storeU32(twice.buffer().data(), 50);
    ReadLog damaged;
    EXPECT_FALSE(decodeReadLog(twice.buffer(), damaged));
    EXPECT_TRUE(damaged.isRead("s", 2));

    // A log without records leaves an existing message.dat as it was.
    Logs c;
    std::filesystem::copy_file(a.logs.file(kReadLogFileName), c.logs.file(kReadLogFileName));
    ASSERT_TRUE(c.logs.WriteLogs());
    EXPECT_EQ(c.bytes(kReadLogFileName), b);
    c.logs.ReadLogs();
    EXPECT_TRUE(c.read.isRead("0226a_n01", 511));
}

TEST(ReadLogFile, AFullLogTakesNoMoreScripts) {
    ReadLog log;
    for (size_t i = 0; i < ReadLog::kScripts; ++i)
        ASSERT_TRUE(log.markRead("s" + std::to_string(i), 0));
    EXPECT_FALSE(log.markRead("new", 0));
    EXPECT_TRUE(log.markRead("s0", 1)) << "known scripts still take bits";
}

}  // namespace
}  // namespace marlit
