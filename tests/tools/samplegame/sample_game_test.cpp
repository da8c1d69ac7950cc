// mksample as a user runs it: the folder it writes is the same on every run
// and is a game folder the converter takes whole.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <set>

#include "converter/crx_decoder.h"
#include "converter/key_list.h"
#include "converter/voice_archive.h"
#include "converter/voice_clip.h"
#include "formats/mlz_pack.h"
#include "tests/support/file_bytes.h"
#include "tests/support/run_program.h"
#include "tests/support/temp_dir.h"
#include "tests/tools/samplegame/sample_folder.h"
#include "tools/samplegame/catalogue.h"

namespace marlit {
namespace {

namespace fs = std::filesystem;

TEST(Mksample, WritesTheSameBytesOnEveryRun) {
    const auto a = test::folderFiles(test::smallSampleFolder());
    const auto b = test::folderFiles(test::secondSampleFolder());
    ASSERT_GT(a.size(), 50u);
    ASSERT_EQ(a.size(), b.size());
    for (const auto& [path, bytes] : a) {
        auto other = b.find(path);
        ASSERT_NE(other, b.end()) << path;
        EXPECT_TRUE(other->second == bytes) << path << " differs between runs";
    }
}

TEST(Mksample, RefusesAFolderItCannotWriteAndSaysWhich) {
    test::TempDir dir;
    const std::string blocker = dir.file("file");
    test::writeFileBytes(blocker, std::vector<uint8_t>{1});
    auto r = test::runProgram(test::programPath("mksample"),
                              {blocker + "/game", "--small", "--only", "ZERIVAD"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find(blocker), std::string::npos) << r.err;
    r = test::runProgram(test::programPath("mksample"), {});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_NE(r.err.find("usage"), std::string::npos);
}

TEST(Mksample, TheConverterTakesTheWholeGame) {
    const std::string& game = test::smallSampleFolder();
    test::TempDir dir;
    const std::string out = dir.file("out");
    auto r = test::runProgram(test::programPath("convMarlitPC"),
                              {game, "--out", out, "--quality", "2", "--jobs", "2"});
    EXPECT_EQ(r.exitCode, 0) << r.out << r.err;
    EXPECT_EQ(r.out.find("not converted"), std::string::npos) << r.out;

    // Every picture but the splash is in the pack, as ".rbp".
    const auto packBytes = test::readFileBytes(out + "/grpack.mlz");
    auto pack = parseMlzIndex(packBytes, packBytes.size());
    ASSERT_TRUE(pack);
    std::set<std::string> names;
    for (const MlzEntry& e : pack->entries) {
        EXPECT_GT(e.storedSize, 0u) << e.name;
        names.insert(e.name);
    }
    size_t pictures = 0;
    for (const auto& [path, bytes] : test::folderFiles(game)) {
        if (path.size() < 4 || path.substr(path.size() - 4) != ".crx" || path == "startup.CRX")
            continue;
        std::string name = path.substr(0, path.size() - 4) + ".rbp";
        std::replace(name.begin(), name.end(), '/', '\\');
        EXPECT_TRUE(names.count(name)) << name;
        ++pictures;
    }
    EXPECT_GT(pictures, 60u);
    EXPECT_FALSE(names.count("startup.rbp"));

    // Every voice line is in the voice pack with sound in it, and every
    // music piece and effect became an MP3.
    const auto voiceBytes = test::readFileBytes(out + "/voice.mlz");
    auto voices = parseMlzIndex(voiceBytes, voiceBytes.size());
    ASSERT_TRUE(voices);
    const auto lines = sample::voiceLines();
    ASSERT_EQ(voices->entries.size(), lines.size());
    for (size_t i = 0; i < lines.size(); ++i) {
        std::string want = "VOICE\\" + lines[i].clip;
        want.replace(want.size() - 4, 4, ".mp3");
        EXPECT_EQ(voices->entries[i].name, want);
        EXPECT_GT(voices->entries[i].storedSize, 1000u) << want;
    }
    for (const sample::MusicPiece& piece : sample::musicPieces()) {
        char name[16];
        std::snprintf(name, sizeof name, "/%02d.mp3", piece.number);
        EXPECT_EQ(fs::exists(out + name), piece.inSmallGame) << name;
    }
    for (const sample::Effect& effect : sample::effects()) {
        char name[16];
        std::snprintf(name, sizeof name, "/%03d.mp3", effect.number);
        EXPECT_TRUE(fs::exists(out + name)) << name;
    }
}

TEST(Mksample, VoiceLinesAreSpokenAndKeptAsTheArchiveKeepsThem) {
    const std::string& game = test::smallSampleFolder();
    std::string error;
    auto archive = VoiceArchive::open(game + "/voice.dat", &error);
    ASSERT_TRUE(archive) << error;
    const auto lines = sample::voiceLines();
    ASSERT_EQ(archive->clips().size(), lines.size());
    std::set<VoiceClipKind> kinds;
    for (size_t i = 0; i < lines.size(); ++i) {
        const VoiceClip& clip = archive->clips()[i];
        EXPECT_EQ(clip.name, lines[i].clip);
        auto bytes = archive->readClip(i);
        ASSERT_TRUE(bytes) << clip.name;
        kinds.insert(classifyVoiceClip(clip.name, *bytes));
        auto audio = decodeVoiceClip(*bytes, &error);
        ASSERT_TRUE(audio) << clip.name << ": " << error;
        // A spoken line: between a third of a second and ten seconds, and
        // loud enough to hear.
        const double seconds = static_cast<double>(audio->frames()) / audio->format.rate;
        EXPECT_GT(seconds, 0.3) << clip.name;
        EXPECT_LT(seconds, 10.0) << clip.name;
        int peak = 0;
        for (int16_t s : audio->samples)
            peak = std::max(peak, std::abs(static_cast<int>(s)));
        EXPECT_GT(peak, 8000) << clip.name;
    }
    EXPECT_EQ(kinds, (std::set<VoiceClipKind>{VoiceClipKind::Wave, VoiceClipKind::Pcm,
                                              VoiceClipKind::Transform}));
}

TEST(Mksample, SpritesHaveSoftEdgesOrTheKey) {
    const std::string& game = test::smallSampleFolder();
    std::string error;
    auto keys = KeyList::load(defaultKeyListPath(), &error);
    ASSERT_TRUE(keys) << error;
    for (const auto& [path, bytes] : test::folderFiles(game + "/AdvData/GRP/CHR")) {
        auto picture = DecodeCrx(bytes, &error);
        ASSERT_TRUE(picture) << path << ": " << error;
        EXPECT_EQ(picture->width, 800) << path;
        EXPECT_EQ(picture->height, 600) << path;
        size_t soft = 0, key = 0;
        for (size_t i = 0; i < picture->pixels.size(); i += picture->bytesPerPixel) {
            const uint8_t* p = &picture->pixels[i];
            if (picture->bytesPerPixel == 4 && p[3] > 0 && p[3] < 255)
                ++soft;
            if (picture->bytesPerPixel == 3 && p[0] == 255 && p[1] == 0 && p[2] == 255)
                ++key;
        }
        if (path.rfind("ov_", 0) != 0) {
            // A figure stands in the middle of its frame, narrow enough to
            // stand at the left or the right (200 to either side).
            int left = picture->width, right = -1;
            for (int y = 0; y < picture->height; ++y) {
                for (int x = 0; x < picture->width; ++x) {
                    const uint8_t* p = picture->row(y) + x * picture->bytesPerPixel;
                    const bool drawn = picture->bytesPerPixel == 4
                                           ? p[3] > 0
                                           : !(p[0] == 255 && p[1] == 0 && p[2] == 255);
                    if (drawn) {
                        left = std::min(left, x);
                        right = std::max(right, x);
                    }
                }
            }
            EXPECT_NEAR((left + right) / 2, 400, 40) << path;
            EXPECT_LT(right - left, 500) << path;
        }
        if (picture->bytesPerPixel == 4) {
            EXPECT_GT(soft, 1000u) << path << " has no soft edges";
        } else {
            EXPECT_GT(key, 100000u) << path;
            EXPECT_TRUE(keys->contains(fs::path(path).filename().string()))
                << path << " uses the key but is not in the converter's key list";
        }
    }
}

}  // namespace
}  // namespace marlit
