// Packs written by MlzPackWriter and read back by MlzReader, and packs
// damaged by hand that the reader must refuse cleanly.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "base/bytes.h"
#include "formats/mlz_pack_writer.h"
#include "formats/mlz_reader.h"
#include "tests/support/child_run.h"
#include "tests/support/run_program.h"
#include "tests/support/temp_dir.h"

namespace marlit {
namespace {

using Bytes = std::vector<uint8_t>;

Bytes bytesOf(std::string_view s) {
    return Bytes(s.begin(), s.end());
}
Bytes fileBytes(const std::string& path) {
    return bytesOf(test::readFileText(path));
}
void putFile(const std::string& path, const Bytes& b) {
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(b.data()), b.size());
}

// "ａ" (full-width small a) and "Ａ" (full-width capital A) in Shift-JIS.
const std::string kWideSmallA = "\x82\x81";
const std::string kWideCapitalA = "\x82\x60";

Bytes script() {
    std::string text;
    for (int i = 0; i < 300; ++i)
        text += "\x81\x75line " + std::to_string(i % 7) + "\x81\x76\r\n";
    return bytesOf(text);
}

// A small pack of every kind of record.
void writeSample(const std::string& path, size_t expected) {
    MlzPackWriter w;
    ASSERT_TRUE(w.open(path, expected));
    ASSERT_TRUE(w.add("chip.rbp", Bytes(500, 0x1F)));
    ASSERT_TRUE(w.add("AdvData\\mes\\0223a_f01.mes", script()));
    ASSERT_TRUE(w.add("VOICE\\NEM\\n001.mp3", bytesOf("ID3 raw"), kMlzStored));
    ASSERT_TRUE(w.addEmpty("VOICE\\NEM\\OMAKE01.mp3"));
    ASSERT_TRUE(w.add("empty.mes", {}));
    ASSERT_TRUE(w.add(kWideSmallA + ".mes", bytesOf("wide")));
    ASSERT_TRUE(w.add("CHIP.RBP", bytesOf("second")));
    ASSERT_TRUE(w.finish());
}

TEST(MlzPack, WrittenPackReadsBack) {
    test::TempDir dir;
    std::string path = dir.file("grpack.mlz");
    writeSample(path, 7);
    EXPECT_EQ(static_cast<uint64_t>(std::filesystem::file_size(path)),
              loadU32(fileBytes(path).data() + 8));

    MlzReader reader;
    const MlzPack* pack = reader.OpenIndex(path);
    ASSERT_NE(pack, nullptr);
    ASSERT_EQ(pack->entries.size(), 7u);
    EXPECT_EQ(pack->entries[0].method, kMlzLzss);
    EXPECT_LT(pack->entries[0].storedSize, 100u);
    // Data offsets follow each other in index order from 0.
    uint32_t offset = 0;
    for (const MlzEntry& e : pack->entries) {
        EXPECT_EQ(e.dataOffset, offset);
        offset += e.storedSize;
    }

    EXPECT_EQ(reader.ReadEntry(path, "AdvData\\mes\\0223a_f01.mes"), script());
    // ASCII case does not matter; the first of two equal names wins.
    EXPECT_EQ(reader.ReadEntry(path, "advdata\\MES\\0223A_F01.MES"), script());
    EXPECT_EQ(reader.ReadEntry(path, "Chip.rbp"), Bytes(500, 0x1F));
    // Double-byte characters are never folded.
    EXPECT_EQ(reader.ReadEntry(path, kWideSmallA + ".MES"), bytesOf("wide"));
    EXPECT_FALSE(reader.ReadEntry(path, kWideCapitalA + ".mes"));
    // Stored entries come back as they are, with their size.
    const MlzEntry* raw = findMlzEntry(*pack, "voice\\nem\\n001.mp3");
    ASSERT_NE(raw, nullptr);
    EXPECT_EQ(raw->expandedSize, raw->storedSize);
    EXPECT_EQ(reader.ReadEntry(path, "VOICE\\NEM\\n001.mp3"), bytesOf("ID3 raw"));
    // Empty records give an empty buffer, not nothing.
    auto skipped = reader.ReadEntry(path, "VOICE\\NEM\\OMAKE01.mp3");
    ASSERT_TRUE(skipped);
    EXPECT_TRUE(skipped->empty());
    auto empty = reader.ReadEntry(path, "empty.mes");
    ASSERT_TRUE(empty);
    EXPECT_TRUE(empty->empty());
    EXPECT_FALSE(reader.ReadEntry(path, "missing.mes"));
    EXPECT_FALSE(reader.ReadEntry(path, "chip.rb"));
}

TEST(MlzPack, ReservedIndexSizeDoesNotChangeThePack) {
    test::TempDir dir;
    writeSample(dir.file("exact.mlz"), 7);
    writeSample(dir.file("none.mlz"), 0);
    writeSample(dir.file("many.mlz"), 40);
    Bytes exact = fileBytes(dir.file("exact.mlz"));
    EXPECT_EQ(fileBytes(dir.file("none.mlz")), exact);
    EXPECT_EQ(fileBytes(dir.file("many.mlz")), exact);
}

TEST(MlzPack, EmptyPackFindsNothing) {
    test::TempDir dir;
    std::string path = dir.file("empty.mlz");
    MlzPackWriter w;
    ASSERT_TRUE(w.open(path, 3));
    ASSERT_TRUE(w.finish());
    EXPECT_EQ(std::filesystem::file_size(path), 16u);
    MlzReader reader;
    ASSERT_NE(reader.OpenIndex(path), nullptr);
    EXPECT_FALSE(reader.ReadEntry(path, ""));
    EXPECT_FALSE(reader.ReadEntry(path, "chip.rbp"));
}

TEST(MlzPack, WriterRefusesWhatTheFormatCannotHold) {
    test::TempDir dir;
    std::string path = dir.file("p.mlz");
    MlzPackWriter w;
    ASSERT_TRUE(w.open(path));
    EXPECT_FALSE(w.add(std::string(64, 'n'), bytesOf("x")));
    EXPECT_TRUE(w.add(std::string(63, 'n'), bytesOf("x")));
    EXPECT_FALSE(w.add("bad", bytesOf("x"), 2));
    EXPECT_FALSE(w.add(std::string("a\0b", 3), bytesOf("x")));
    EXPECT_EQ(w.entries().size(), 1u);
    ASSERT_TRUE(w.finish());
    MlzReader reader;
    EXPECT_EQ(reader.ReadEntry(path, std::string(63, 'N')), bytesOf("x"));
}

TEST(MlzPack, UnfinishedPackLeavesTheOldOneAlone) {
    test::TempDir dir;
    std::string path = dir.file("voice.mlz");
    writeSample(path, 7);
    Bytes before = fileBytes(path);
    {
        MlzPackWriter w;
        ASSERT_TRUE(w.open(path, 2));
        ASSERT_TRUE(w.add("VOICE\\a.mp3", bytesOf("half"), kMlzStored));
        // Destroyed without finish, as when the conversion stops.
    }
    EXPECT_EQ(fileBytes(path), before);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()),
                            std::filesystem::directory_iterator()),
              1);
    {
        MlzPackWriter w;
        ASSERT_TRUE(w.open(dir.file("new.mlz")));
        ASSERT_TRUE(w.add("a", bytesOf("b")));
    }
    EXPECT_FALSE(std::filesystem::exists(dir.file("new.mlz")));
}

// A conversion killed outright leaves its temporary pack; the next one
// removes it. A full disk fails the pack with the system's reason.
TEST(MlzPack, NextRunRemovesATemporaryPackLeftByAKilledOne) {
    test::TempDir dir;
    const std::string path = dir.file("grpack.mlz");
    test::inChild([&] {
        MlzPackWriter w;
        w.open(path, 2);
        w.add("a", bytesOf("data"));
        ::kill(::getpid(), SIGKILL);
        return 0;
    });
    ASSERT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
    writeSample(path, 3);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
    EXPECT_TRUE(std::filesystem::exists(path));

    const int code = test::inChildWithFileLimit(4000, [&] {
        MlzPackWriter w;
        if (!w.open(path, 1) || !w.add("big", Bytes(10000, 1), kMlzStored) || w.finish())
            return w.error() == "File too large" ? 0 : 1;
        return 2;
    });
    EXPECT_EQ(code, 0);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
}

TEST(MlzReader, KeepsOneIndexAndNoticesRewrites) {
    test::TempDir dir;
    std::string a = dir.file("a.mlz");
    std::string b = dir.file("b.mlz");
    writeSample(a, 7);
    {
        MlzPackWriter w;
        ASSERT_TRUE(w.open(b));
        ASSERT_TRUE(w.add("only.mes", bytesOf("bee")));
        ASSERT_TRUE(w.finish());
    }
    MlzReader reader;
    ASSERT_NE(reader.OpenIndex(a), nullptr);

    // Scribble over a's index without changing its size or time: the cached
    // index still serves, so the file was read only for the data.
    struct stat st;
    ASSERT_EQ(::stat(a.c_str(), &st), 0);
    Bytes scribbled = fileBytes(a);
    std::fill(scribbled.begin() + 16, scribbled.begin() + 16 + 64, 'Z');
    putFile(a, scribbled);
    timespec times[2] = {st.st_atim, st.st_mtim};
    ASSERT_EQ(::utimensat(AT_FDCWD, a.c_str(), times, 0), 0);
    EXPECT_EQ(reader.ReadEntry(a, "chip.rbp"), Bytes(500, 0x1F));
    // A pack that cannot be opened keeps the cache.
    EXPECT_FALSE(reader.ReadEntry(dir.file("missing.mlz"), "chip.rbp"));
    EXPECT_EQ(reader.ReadEntry(a, "chip.rbp"), Bytes(500, 0x1F));

    // Another pack replaces it; coming back reads a's index anew.
    EXPECT_EQ(reader.ReadEntry(b, "ONLY.MES"), bytesOf("bee"));
    EXPECT_EQ(reader.OpenIndex(a)->entries[0].name, std::string(64, 'Z'));

    // A pack rewritten under the same path is read anew.
    {
        MlzPackWriter w;
        ASSERT_TRUE(w.open(b));
        ASSERT_TRUE(w.add("other.mes", bytesOf("new data")));
        ASSERT_TRUE(w.finish());
    }
    EXPECT_EQ(reader.ReadEntry(b, "other.mes"), bytesOf("new data"));
    EXPECT_FALSE(reader.ReadEntry(b, "only.mes"));
}

// A pack of one LZSS entry built by hand, so that every field can lie.
struct HandPack {
    Bytes data = {0x01, 'Q', 0xEF, 0x7F};  // 'Q' x 18
    std::string name = "x.mes";
    uint32_t count = 1, stored = 4, expanded = 18, method = 1, offset = 0;
    char version = '2';
    int64_t sizeField = -1;

    Bytes build() const {
        ByteWriter w;
        w.bytes("RLZ", 3);
        w.u8(static_cast<uint8_t>(version));
        w.u32(count);
        w.u32(sizeField >= 0 ? static_cast<uint32_t>(sizeField) : 16 + 84 + data.size());
        w.u32(0);
        Bytes field(64, 0);
        std::copy_n(name.begin(), std::min<size_t>(name.size(), 64), field.begin());
        w.bytes(field);
        for (uint32_t v : {stored, expanded, method, offset, 0u})
            w.u32(v);
        w.bytes(data);
        return w.take();
    }
};

std::optional<Bytes> readHand(const HandPack& p, const std::string& name = "X.MES") {
    test::TempDir dir;
    putFile(dir.file("p.mlz"), p.build());
    MlzReader reader;
    return reader.ReadEntry(dir.file("p.mlz"), name);
}

TEST(MlzReader, ReadsWhatTheFormatAllows) {
    HandPack p;
    EXPECT_EQ(readHand(p), Bytes(18, 'Q'));
    p.version = '3';
    EXPECT_EQ(readHand(p), Bytes(18, 'Q'));
    // A stream shorter than its expanded size leaves zeros behind.
    HandPack shortStream;
    shortStream.expanded = 30;
    Bytes out = *readHand(shortStream);
    EXPECT_EQ(Bytes(out.begin(), out.begin() + 18), Bytes(18, 'Q'));
    EXPECT_EQ(Bytes(out.begin() + 18, out.end()), Bytes(12, 0));
    // A longer one is cut at the expanded size.
    HandPack cut;
    cut.expanded = 5;
    EXPECT_EQ(readHand(cut), Bytes(5, 'Q'));
    // A name filling its 64 bytes without a NUL is those 64 bytes, also
    // when its last byte is a lead byte.
    HandPack full;
    full.name = std::string(64, 'k');
    EXPECT_EQ(readHand(full, std::string(64, 'K')), Bytes(18, 'Q'));
    full.name = std::string(63, 'k') + "\x82";
    EXPECT_EQ(readHand(full, std::string(63, 'K') + "\x82"), Bytes(18, 'Q'));
    EXPECT_FALSE(readHand(full, std::string(63, 'K') + "\x83"));
}

TEST(MlzReader, RefusesPacksThatLie) {
    const std::vector<std::pair<const char*, void (*)(HandPack&)>> lies = {
        {"magic", [](HandPack& p) { p.version = '4'; }},
        {"index runs past the data", [](HandPack& p) { p.count = 2; }},
        {"huge count", [](HandPack& p) { p.count = 0x40000000; }},
        {"no records", [](HandPack& p) { p.count = 0; }},
        {"data past the end", [](HandPack& p) { p.offset = 1; }},
        {"huge stored size", [](HandPack& p) { p.stored = 0xFFFFFFFF; }},
        {"offset plus size wraps", [](HandPack& p) { p.offset = 0xFFFFFFFE; }},
        {"expands too far", [](HandPack& p) { p.expanded = kMlzMaxExpandedSize + 1; }},
        {"unknown method", [](HandPack& p) { p.method = 2; }},
    };
    for (const auto& [what, lie] : lies) {
        HandPack p;
        lie(p);
        EXPECT_FALSE(readHand(p)) << what;
    }

    // Counts one off would read every entry from the wrong place.
    test::TempDir dir;
    writeSample(dir.file("whole.mlz"), 7);
    Bytes whole = fileBytes(dir.file("whole.mlz"));
    for (uint8_t count : {6, 8}) {
        Bytes liar = whole;
        liar[4] = count;
        putFile(dir.file("liar.mlz"), liar);
        MlzReader reader;
        EXPECT_EQ(reader.OpenIndex(dir.file("liar.mlz")), nullptr) << int{count};
    }
    // A pack cut inside its header or index has no index to trust.
    const size_t indexEnd = 16 + 84 * 7;
    for (size_t n = 0; n < indexEnd; n += 13) {
        putFile(dir.file("cut.mlz"), Bytes(whole.begin(), whole.begin() + n));
        MlzReader reader;
        EXPECT_EQ(reader.OpenIndex(dir.file("cut.mlz")), nullptr) << n;
        EXPECT_FALSE(reader.ReadEntry(dir.file("cut.mlz"), "chip.rbp")) << n;
    }
}

// What every entry of the sample pack reads as, by index.
std::vector<std::optional<Bytes>> readEach(const std::string& path) {
    MlzReader reader;
    std::vector<std::optional<Bytes>> out;
    const MlzPack* pack = reader.OpenIndex(path);
    if (!pack)
        return out;
    const std::vector<MlzEntry> entries = pack->entries;
    for (const MlzEntry& e : entries)
        out.push_back(reader.readRecord(path, e));
    return out;
}

TEST(MlzReader, ATruncatedPackServesItsIntactEntries) {
    test::TempDir dir;
    writeSample(dir.file("whole.mlz"), 7);
    Bytes whole = fileBytes(dir.file("whole.mlz"));
    const auto intact = readEach(dir.file("whole.mlz"));
    ASSERT_EQ(intact.size(), 7u);
    MlzReader wholeReader;
    const std::vector<MlzEntry> entries = wholeReader.OpenIndex(dir.file("whole.mlz"))->entries;

    const size_t indexEnd = 16 + 84 * 7;
    for (size_t n = indexEnd; n < whole.size(); ++n) {
        putFile(dir.file("cut.mlz"), Bytes(whole.begin(), whole.begin() + n));
        auto got = readEach(dir.file("cut.mlz"));
        ASSERT_EQ(got.size(), 7u) << n;
        for (size_t i = 0; i < 7; ++i) {
            bool inside = indexEnd + entries[i].dataOffset + entries[i].storedSize <= n;
            // An entry whose bytes are all there reads as in the whole pack;
            // one cut short gives nothing, never a part.
            EXPECT_EQ(got[i], inside ? intact[i] : std::nullopt) << n << " entry " << i;
        }
    }
    // The last entry is the one a cut by a single byte loses.
    putFile(dir.file("cut.mlz"), Bytes(whole.begin(), whole.end() - 1));
    MlzReader reader;
    EXPECT_EQ(reader.ReadEntry(dir.file("cut.mlz"), "AdvData\\mes\\0223a_f01.mes"), script());
    EXPECT_FALSE(reader.readRecord(dir.file("cut.mlz"), entries[6]));
}

TEST(MlzReader, APackWithBytesAppendedOrAWrongSizeFieldStillReads) {
    test::TempDir dir;
    writeSample(dir.file("whole.mlz"), 7);
    Bytes whole = fileBytes(dir.file("whole.mlz"));
    const auto intact = readEach(dir.file("whole.mlz"));

    Bytes grown = whole;
    grown.insert(grown.end(), 1000, 0xAB);
    putFile(dir.file("grown.mlz"), grown);
    EXPECT_EQ(readEach(dir.file("grown.mlz")), intact);

    // The length is right and only the header's field is wrong.
    Bytes zeroField = whole;
    std::fill_n(zeroField.begin() + 8, 4, 0);
    putFile(dir.file("field.mlz"), zeroField);
    EXPECT_EQ(readEach(dir.file("field.mlz")), intact);

    // The size field is all a hand-made pack may get wrong, too.
    HandPack p;
    p.sizeField = 16 + 84 + 3;
    EXPECT_EQ(readHand(p), Bytes(18, 'Q'));
}

}  // namespace
}  // namespace marlit
