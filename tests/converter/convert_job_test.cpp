// A whole conversion of a game folder made in code.
#include "converter/convert_job.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "base/bytes.h"
#include "base/files.h"
#include "converter/picture_group.h"
#include "formats/mlz_pack.h"
#include "formats/mlz_reader.h"
#include "formats/rbp_codec.h"
#include "formats/rbp_image.h"
#include "tests/converter/game_folder.h"
#include "tests/support/file_bytes.h"
#include "tests/support/sound_files.h"
#include "tests/support/temp_dir.h"

namespace marlit {
namespace {

namespace fs = std::filesystem;

struct Conversion {
    test::TempDir dir;
    test::GameFolder game{(dir.path() / "game").string()};
    std::string out = (dir.path() / "out").string();

    ConvertSettings settings() const {
        ConvertSettings s;
        s.sourceFolder = game.root();
        s.outputFolder = out;
        s.sound = false;
        s.voice = false;
        s.jobs = 1;
        return s;
    }
    std::unique_ptr<ConvertJob> run(const ConvertSettings& s) {
        fs::create_directories(s.outputFolder);
        auto keys = KeyList::parse("Messwin.crx\n");
        auto job = std::make_unique<ConvertJob>(s, keys);
        job->Run();
        return job;
    }
    std::vector<uint8_t> file(const std::string& name) const {
        return readHostFile((fs::path(out) / name).string()).value_or(std::vector<uint8_t>());
    }
};

std::vector<std::string> recordNames(const std::vector<uint8_t>& pack) {
    std::vector<std::string> names;
    if (auto parsed = parseMlzIndex(pack, pack.size())) {
        for (const auto& e : parsed->entries)
            names.push_back(e.name);
    }
    return names;
}

TEST(ConvertJob, PicturePackHoldsEveryPictureScriptAndMapInScanOrder) {
    Conversion c;
    c.game.addProgram();
    c.game.addPictures();
    auto job = c.run(c.settings());
    ASSERT_TRUE(job->finished());
    EXPECT_TRUE(job->failures().empty());

    auto pack = c.file("grpack.mlz");
    ASSERT_FALSE(pack.empty());
    EXPECT_EQ(recordNames(pack), (std::vector<std::string>{
                                     "chip.rbp",
                                     "title.rbp",
                                     "AdvData\\map01.MAP",
                                     "AdvData\\GRP\\BG\\bg01.rbp",
                                     "AdvData\\GRP\\chr\\girl01.rbp",
                                     "AdvData\\GRP\\system\\Messwin.rbp",
                                     "AdvData\\mes\\a01.mes",
                                     "Voice\\face.rbp",
                                 }));
    EXPECT_EQ(loadU32(pack.data() + 8), pack.size());
    EXPECT_EQ(job->total(), 8);  // chip, six pictures and maps, one script
    EXPECT_EQ(job->done(), 8);

    std::string packPath = (fs::path(c.out) / "grpack.mlz").string();
    MlzReader reader;
    struct Expect {
        const char* name;
        int width, height;
        uint32_t kind;
    };
    for (const Expect& e :
         {Expect{"chip.rbp", 128, 128, kRbpOpaque}, Expect{"title.rbp", 320, 240, kRbpOpaque},
          Expect{"AdvData\\GRP\\chr\\girl01.rbp", 120, 200, kRbpAlpha},
          Expect{"advdata\\grp\\system\\MESSWIN.rbp", 80, 16, kRbpAlpha}}) {
        auto bytes = reader.ReadEntry(packPath, e.name);
        ASSERT_TRUE(bytes) << e.name;
        auto header = parseRbpHeader(*bytes);
        ASSERT_TRUE(header);
        EXPECT_EQ(header->kind, e.kind) << e.name;
        auto picture = LoadRbp(e.name, packPath, false, reader);
        ASSERT_TRUE(picture) << e.name;
        EXPECT_EQ(picture->width, e.width);
        EXPECT_EQ(picture->height, e.height);
    }
    EXPECT_EQ(reader.ReadEntry(packPath, "AdvData\\mes\\a01.mes"),
              std::vector<uint8_t>({'s', 'c', 'r', 'i', 'p', 't', '\r', '\n'}));
    EXPECT_FALSE(reader.ReadEntry(packPath, "StartUp.rbp"));
}

TEST(ConvertJob, VgaPackAndJbpQuality) {
    Conversion c;
    c.game.addPictures();
    auto s = c.settings();
    s.screenIndex = 1;
    s.pictureQuality = 2;
    c.run(s);
    EXPECT_TRUE(c.file("grpack.mlz").empty());
    auto pack = c.file("grpack_v.mlz");
    MlzReader reader;
    auto picture = LoadRbp("AdvData\\GRP\\BG\\bg01.rbp",
                           (fs::path(c.out) / "grpack_v.mlz").string(), false, reader);
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->width, 640);
    EXPECT_EQ(picture->sourceWidth, 800);
    auto bytes = reader.ReadEntry((fs::path(c.out) / "grpack_v.mlz").string(), "title.rbp");
    ASSERT_TRUE(bytes);
    EXPECT_EQ(parseRbpHeader(*bytes)->kind, kRbpJbp);
}

TEST(ConvertJob, PacksAreTheSameWhateverTheJobCount) {
    Conversion one, two;
    for (Conversion* c : {&one, &two})
        c->game.addPictures();
    auto s1 = one.settings();
    s1.pictureQuality = 2;
    auto s2 = two.settings();
    s2.pictureQuality = 2;
    s2.jobs = 2;
    one.run(s1);
    two.run(s2);
    auto a = one.file("grpack.mlz");
    EXPECT_FALSE(a.empty());
    EXPECT_EQ(a, two.file("grpack.mlz"));
}

TEST(ConvertJob, DamagedPictureIsListedWhileTheRestConverts) {
    Conversion c;
    c.game.addPictures();
    c.game.put("AdvData/GRP/BG/broken.crx", {1, 2, 3});
    auto job = c.run(c.settings());
    ASSERT_EQ(job->failures().size(), 1u);
    EXPECT_EQ(job->failures()[0].name, "AdvData/GRP/BG/broken.crx");
    auto names = recordNames(c.file("grpack.mlz"));
    EXPECT_EQ(names.size(), 8u);
    EXPECT_EQ(std::count(names.begin(), names.end(), "AdvData\\GRP\\BG\\broken.rbp"), 0);
}

TEST(ConvertJob, SoundsOutsideVoiceFoldersBecomeFlatMp3Files) {
    Conversion c;
    c.game.addPictures();
    c.game.addSound("BGM/01.pcm");
    c.game.addSound("Voice/x/skip.PCM");
    c.game.addSound("se/voice/skip2.pcm");
    auto s = c.settings();
    s.pictures = false;
    s.sound = true;
    auto job = c.run(s);
    EXPECT_TRUE(job->failures().empty());
    EXPECT_TRUE(c.file("grpack.mlz").empty());
    EXPECT_EQ(job->total(), 1);  // only the one sound is announced
    EXPECT_EQ(job->done(), 1);
    EXPECT_FALSE(c.file("01.mp3").empty());
    EXPECT_TRUE(c.file("skip.mp3").empty());
    EXPECT_TRUE(c.file("skip2.mp3").empty());
    ASSERT_EQ(job->outputs().size(), 1u);
    EXPECT_EQ(fs::path(job->outputs()[0].path).filename(), "01.mp3");
}

TEST(ConvertJob, VoiceArchiveIsFoundInItsThreePlacesOnly) {
    Conversion c;
    auto s = c.settings();
    s.pictures = false;
    s.voice = true;
    c.game.put("Other/voice.dat", test::voiceArchiveFile({}));
    c.run(s);
    EXPECT_TRUE(c.file("voice.mlz").empty());

    Conversion d;
    auto clip = test::rawSoundFile(22050, 1, test::sine(22050, 1, 0.5, 300.0, 6000.0));
    d.game.put("advdata/VOICE.DAT", test::voiceArchiveFile({{"a\\a001.pcm", clip}}));
    auto ds = d.settings();
    ds.pictures = false;
    ds.voice = true;
    auto job = d.run(ds);
    EXPECT_EQ(job->total(), 1);
    EXPECT_EQ(recordNames(d.file("voice.mlz")), std::vector<std::string>{"VOICE\\a\\a001.mp3"});
    EXPECT_EQ(findVoiceArchive(d.game.root()),
              (fs::path(d.game.root()) / "advdata/VOICE.DAT").string());
}

// A cancel stops the job before its next file: the files begun are
// finished, no later group starts, a pack cut short is dropped (the older
// one stays as it was, no temporary file is left) and MP3 files already
// written stay.
TEST(ConvertJob, CancelStopsBetweenFilesAndLeavesOlderPacks) {
    Conversion c;
    c.game.addPictures();
    c.game.addSound("BGM/01.pcm");
    fs::create_directories(c.out);
    const std::vector<uint8_t> oldPack{'o', 'l', 'd'};
    ASSERT_TRUE(writeHostFileAtomic(c.out + "/grpack.mlz", oldPack));
    auto s = c.settings();
    s.sound = true;
    ConvertJob pictures(s, KeyList::parse(""));
    int seen = 0;
    pictures.watchFiles([&](const std::string&) {
        if (++seen == 3)  // chip.rbp and two files of the scan
            pictures.cancel();
    });
    pictures.Run();
    EXPECT_TRUE(pictures.finished());
    EXPECT_TRUE(pictures.cancelled());
    EXPECT_EQ(seen, 3);
    EXPECT_EQ(pictures.done(), 3);
    EXPECT_EQ(pictures.total(), 8);
    EXPECT_EQ(c.file("grpack.mlz"), oldPack);
    EXPECT_EQ(test::folderNames(c.out), std::vector<std::string>{"grpack.mlz"});
    EXPECT_TRUE(pictures.outputs().empty());
    EXPECT_TRUE(pictures.failures().empty());

    Conversion d;
    d.game.addSound("BGM/01.pcm");
    d.game.addSound("BGM/02.pcm");
    auto clip = test::rawSoundFile(22050, 1, test::sine(22050, 1, 0.2, 300.0, 6000.0));
    d.game.put("voice.dat", test::voiceArchiveFile({{"a001.pcm", clip}, {"a002.pcm", clip}}));
    fs::create_directories(d.out);
    ASSERT_TRUE(writeHostFileAtomic(d.out + "/voice.mlz", oldPack));
    auto ds = d.settings();
    ds.pictures = false;
    ds.sound = true;
    ds.voice = true;
    for (const char* cancelAt : {"01.pcm", "a001.pcm"}) {
        ConvertJob sounds(ds, KeyList::parse(""));
        std::vector<std::string> names;
        sounds.watchFiles([&](const std::string& name) {
            names.push_back(name);
            if (name == cancelAt)
                sounds.cancel();
        });
        sounds.Run();
        if (std::string(cancelAt) == "01.pcm") {
            EXPECT_EQ(names, std::vector<std::string>{"01.pcm"});
            EXPECT_EQ(test::folderNames(d.out), (std::vector<std::string>{"01.mp3", "voice.mlz"}));
            EXPECT_EQ(sounds.outputs().size(), 1u);
        } else {
            EXPECT_EQ(names, (std::vector<std::string>{"01.pcm", "02.pcm", "a001.pcm"}));
            EXPECT_EQ(test::folderNames(d.out),
                      (std::vector<std::string>{"01.mp3", "02.mp3", "voice.mlz"}));
            EXPECT_EQ(sounds.outputs().size(), 2u);
        }
        EXPECT_EQ(d.file("voice.mlz"), oldPack) << cancelAt;
        EXPECT_TRUE(sounds.failures().empty()) << cancelAt;
    }
}

TEST(PictureRecordName, FolderAndExtension) {
    EXPECT_EQ(pictureRecordName({"", "a.CRX", false}), "a.rbp");
    EXPECT_EQ(pictureRecordName({"AdvData\\mes", "x.mes", false}), "AdvData\\mes\\x.mes");
    // A Japanese folder name becomes Shift-JIS.
    EXPECT_EQ(pictureRecordName({"\xe8\xa1\xa8", "b.crx", false}), "\x95\x5c\\b.rbp");
    EXPECT_FALSE(pictureRecordName({std::string(60, 'd'), "b.crx", false}));
}

}  // namespace
}  // namespace marlit
