// marlit-tool pack and lzss as a user runs them.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>

#include "formats/mlz_pack_writer.h"
#include "tests/support/run_program.h"
#include "tests/support/temp_dir.h"

namespace marlit {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<uint8_t>;

test::ProgramResult tool(const std::vector<std::string>& args) {
    return test::runProgram(test::programPath("marlit-tool"), args);
}

void putFile(const fs::path& p, const std::string& text) {
    fs::create_directories(p.parent_path());
    std::ofstream(p, std::ios::binary) << text;
}

std::string script() {
    std::string s;
    for (int i = 0; i < 200; ++i)
        s += "line " + std::to_string(i % 9) + "\r\n";
    return s;
}

// "表示" holds "\" as the trail byte of its first character in Shift-JIS.
const std::string kWideFolder = "\xe8\xa1\xa8\xe7\xa4\xba";

TEST(PackCommand, CreateListAndExtract) {
    test::TempDir dir;
    fs::path src = dir.path() / "src";
    putFile(src / "b.txt", "bee");
    putFile(src / "AdvData" / "mes" / "0223a_f01.mes", script());
    putFile(src / kWideFolder / "x.txt", "wide");
    putFile(src / "empty.bin", "");
    std::string pack = dir.file("grpack.mlz");
    auto r = tool({"pack", "create", pack, src.string()});
    ASSERT_EQ(r.exitCode, 0) << r.err;

    r = tool({"pack", "list", pack});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    // Sorted by their Shift-JIS bytes; stored sizes from the compressor.
    std::istringstream lines(r.out);
    std::vector<std::vector<std::string>> rows;
    for (std::string line; std::getline(lines, line);) {
        std::vector<std::string> fields;
        std::istringstream f(line);
        for (std::string field; std::getline(f, field, '\t');)
            fields.push_back(field);
        ASSERT_EQ(fields.size(), 6u) << line;
        rows.push_back(fields);
    }
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_EQ(rows[0][1], "AdvData\\mes\\0223a_f01.mes");
    EXPECT_EQ(rows[1][1], "b.txt");
    EXPECT_EQ(rows[2][1], "empty.bin");
    EXPECT_EQ(rows[3][1], kWideFolder + "\\x.txt");
    EXPECT_EQ(rows[0][3], std::to_string(script().size()));
    EXPECT_LT(std::stoul(rows[0][2]), script().size() / 4);
    EXPECT_EQ(rows[2][2] + rows[2][3], "00");
    unsigned long offset = 0;
    for (size_t i = 0; i < rows.size(); ++i) {
        EXPECT_EQ(rows[i][0], std::to_string(i));
        EXPECT_EQ(rows[i][4], "1");
        EXPECT_EQ(std::stoul(rows[i][5]), offset);
        offset += std::stoul(rows[i][2]);
    }

    r = tool({"pack", "extract", pack, "ADVDATA\\MES\\0223A_F01.mes", dir.file("one")});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(test::readFileText(dir.file("one")), script());
    r = tool({"pack", "extract", pack, kWideFolder + "\\X.TXT", dir.file("two")});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(test::readFileText(dir.file("two")), "wide");
    // "/" between folders as on the host; the pack stores "\".
    r = tool({"pack", "extract", pack, "AdvData/mes/0223a_f01.MES", dir.file("slash")});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(test::readFileText(dir.file("slash")), script());
    r = tool({"pack", "extract", pack, kWideFolder + "/x.txt", dir.file("wideslash")});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(test::readFileText(dir.file("wideslash")), "wide");
    r = tool({"pack", "extract", pack, "nothing.txt", dir.file("three")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("nothing.txt"), std::string::npos);
    EXPECT_FALSE(fs::exists(dir.file("three")));

    r = tool({"pack", "extract-all", pack, dir.file("out")});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(test::readFileText(dir.file("out/AdvData/mes/0223a_f01.mes")), script());
    EXPECT_EQ(test::readFileText(dir.file("out/" + kWideFolder + "/x.txt")), "wide");
    EXPECT_TRUE(fs::is_regular_file(dir.file("out/empty.bin")));

    // Stored entries: stored size equals expanded size.
    r = tool({"pack", "create", dir.file("raw.mlz"), src.string(), "--method", "0"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    r = tool({"pack", "list", dir.file("raw.mlz")});
    EXPECT_NE(r.out.find("\tb.txt\t3\t3\t0\t"), std::string::npos) << r.out;
}

TEST(PackCommand, ExtractAllKeepsInsideItsFolder) {
    test::TempDir dir;
    std::string pack = dir.file("evil.mlz");
    MlzPackWriter w;
    ASSERT_TRUE(w.open(pack));
    for (const char* name : {"..\\up.txt", "\\abs.txt", "C:\\drive.txt", "a\\..\\..\\up2.txt",
                             "a\\\\gap.txt", "good\\ok.txt", "/etc/abs2.txt"}) {
        ASSERT_TRUE(w.add(name, Bytes{'x'}));
    }
    ASSERT_TRUE(w.add("GOOD\\OK.TXT", Bytes{'y'}));  // the same name: the first wins
    ASSERT_TRUE(w.addEmpty(""));
    ASSERT_TRUE(w.finish());
    fs::create_directories(dir.path() / "out");
    auto r = tool({"pack", "extract-all", pack, dir.file("out")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("..\\up.txt"), std::string::npos);
    EXPECT_EQ(test::readFileText(dir.file("out/good/ok.txt")), "x");
    size_t files = 0;
    for (const auto& e : fs::recursive_directory_iterator(dir.path()))
        files += e.is_regular_file();
    EXPECT_EQ(files, 2u);  // the pack and good/ok.txt
}

TEST(PackCommand, BadPacksFailWithAMessage) {
    test::TempDir dir;
    fs::path src = dir.path() / "src";
    putFile(src / "a.mes", script());
    putFile(src / "b.mes", "bee");
    std::string pack = dir.file("p.mlz");
    ASSERT_EQ(tool({"pack", "create", pack, src.string()}).exitCode, 0);
    std::string whole = test::readFileText(pack);

    std::mt19937 rng(5);
    std::string noise(3000, '\0');
    for (char& c : noise)
        c = static_cast<char>(rng());
    std::string liar = whole;
    liar[4] = 3;  // three records claimed, two written
    for (const std::string& bad :
         {whole.substr(0, 16 + 84 + 40), std::string("RLZ2"), noise, liar}) {
        putFile(dir.path() / "bad.mlz", bad);
        for (std::vector<std::string> args :
             {std::vector<std::string>{"pack", "list", dir.file("bad.mlz")},
              {"pack", "extract", dir.file("bad.mlz"), "a.mes", dir.file("x")},
              {"pack", "extract-all", dir.file("bad.mlz"), dir.file("all")}}) {
            auto r = tool(args);
            EXPECT_EQ(r.exitCode, 1) << args[1] << " " << bad.size();
            EXPECT_NE(r.err.find("marlit-tool: "), std::string::npos);
        }
    }
    EXPECT_EQ(tool({"pack", "list", dir.file("missing.mlz")}).exitCode, 1);
    EXPECT_EQ(tool({"pack", "list"}).exitCode, 2);
    EXPECT_EQ(tool({"pack", "create", pack, src.string(), "--method", "2"}).exitCode, 2);
    EXPECT_EQ(tool({"pack", "create", pack, dir.file("nowhere")}).exitCode, 1);
    // A failed create leaves the old pack as it was.
    EXPECT_EQ(test::readFileText(pack), whole);
}

TEST(PackCommand, ACutOrGrownPackIsListedWithWarningsAndServesItsIntactEntries) {
    test::TempDir dir;
    fs::path src = dir.path() / "src";
    putFile(src / "a.mes", script());
    putFile(src / "b.mes", "bee");
    std::string pack = dir.file("p.mlz");
    ASSERT_EQ(tool({"pack", "create", pack, src.string()}).exitCode, 0);
    std::string whole = test::readFileText(pack);
    auto listing = tool({"pack", "list", pack});
    ASSERT_EQ(listing.exitCode, 0);
    EXPECT_EQ(listing.err, "");

    // Cut by one byte: b.mes, the last entry, is lost; a.mes is whole.
    std::string cut = dir.file("cut.mlz");
    putFile(cut, whole.substr(0, whole.size() - 1));
    auto r = tool({"pack", "list", cut});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, listing.out);
    EXPECT_EQ(r.err, "marlit-tool: warning: " + cut + " is " + std::to_string(whole.size() - 1) +
                         " bytes long, its header says " + std::to_string(whole.size()) +
                         " (cut short since it was written)\n"
                         "marlit-tool: warning: entry 1 (b.mes) runs past the end of " +
                         cut + " and cannot be read\n");
    r = tool({"pack", "extract", cut, "a.mes", dir.file("a")});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(test::readFileText(dir.file("a")), script());
    r = tool({"pack", "extract", cut, "b.mes", dir.file("b")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("runs past the end"), std::string::npos) << r.err;
    EXPECT_FALSE(fs::exists(dir.file("b")));
    r = tool({"pack", "extract-all", cut, dir.file("all")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(test::readFileText(dir.file("all/a.mes")), script());
    EXPECT_FALSE(fs::exists(dir.file("all/b.mes")));

    // Bytes appended: every entry reads; the length is still named.
    std::string grown = dir.file("grown.mlz");
    putFile(grown, whole + std::string(100, 'x'));
    r = tool({"pack", "list", grown});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, listing.out);
    EXPECT_NE(r.err.find("(grown since it was written)"), std::string::npos) << r.err;
    EXPECT_EQ(r.err.find("runs past"), std::string::npos) << r.err;
    r = tool({"pack", "extract-all", grown, dir.file("grown")});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(test::readFileText(dir.file("grown/b.mes")), "bee");

    // A record moved past the end: that one entry is lost.
    std::string moved = whole;
    moved[16 + 84 + 76 + 3] = 0x70;
    putFile(dir.path() / "moved.mlz", moved);
    r = tool({"pack", "list", dir.file("moved.mlz")});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_NE(r.err.find("entry 1 (b.mes) runs past the end"), std::string::npos) << r.err;
    EXPECT_EQ(tool({"pack", "extract", dir.file("moved.mlz"), "A.MES", dir.file("m")}).exitCode, 0);
}

TEST(LzssCommand, CompressAndExpand) {
    test::TempDir dir;
    putFile(dir.path() / "eighteen", std::string(18, 'A'));
    auto r = tool({"lzss", "compress", dir.file("eighteen"), dir.file("z")});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(test::readFileText(dir.file("z")),
              "\x01"
              "A\xEF\x7F");
    r = tool({"lzss", "expand", dir.file("z"), dir.file("back"), "18"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(test::readFileText(dir.file("back")), std::string(18, 'A'));
    // A size past the stream: zeros follow, and the user is told.
    r = tool({"lzss", "expand", dir.file("z"), dir.file("long"), "20"});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(test::readFileText(dir.file("long")), std::string(18, 'A') + std::string(2, '\0'));
    EXPECT_FALSE(r.err.empty());

    putFile(dir.path() / "text", script());
    ASSERT_EQ(tool({"lzss", "compress", dir.file("text"), dir.file("tz")}).exitCode, 0);
    ASSERT_EQ(
        tool({"lzss", "expand", dir.file("tz"), dir.file("t2"), std::to_string(script().size())})
            .exitCode,
        0);
    EXPECT_EQ(test::readFileText(dir.file("t2")), script());

    putFile(dir.path() / "empty", "");
    EXPECT_EQ(tool({"lzss", "compress", dir.file("empty"), dir.file("ez")}).exitCode, 0);
    EXPECT_EQ(fs::file_size(dir.file("ez")), 0u);

    EXPECT_EQ(tool({"lzss", "expand", dir.file("z"), dir.file("x"), "-1"}).exitCode, 2);
    EXPECT_EQ(tool({"lzss", "expand", dir.file("z"), dir.file("x"), "lots"}).exitCode, 2);
    EXPECT_EQ(tool({"lzss", "expand", dir.file("z"), dir.file("x"), "67108865"}).exitCode, 2);
    EXPECT_EQ(tool({"lzss", "compress", dir.file("missing"), dir.file("x")}).exitCode, 1);
}

}  // namespace
}  // namespace marlit
