// The window and the terminal front end write the same files for the same
// settings: every control reaches the job as the matching option does.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QTest>
#include <filesystem>

#include "base/files.h"
#include "converter/platform/gui/converter_dialog.h"
#include "tests/converter/game_folder.h"
#include "tests/converter_gui/window_driver.h"
#include "tests/support/file_bytes.h"
#include "tests/support/run_program.h"
#include "tests/support/sound_files.h"
#include "tests/support/temp_dir.h"

namespace marlit {
namespace {

namespace fs = std::filesystem;

TEST(ConverterWindow, WritesWhatTheTerminalWritesWithTheSameSettings) {
    test::TempDir dir;
    test::GameFolder game((dir.path() / "game").string());
    game.addProgram();
    game.addPictures();
    game.addSound("BGM/01.pcm");
    auto clip = test::rawSoundFile(22050, 1, test::sine(22050, 1, 0.3, 300.0, 6000.0));
    game.put("AdvData/voice.dat", test::voiceArchiveFile({{"a\\a001.pcm", clip}}));
    const fs::path windowOut = dir.path() / "window";
    const fs::path terminalOut = dir.path() / "terminal";

    DialogSetup setup = test::testSetup(windowOut.string());
    ASSERT_TRUE(setup.encoderVersion) << setup.encoderProblem;
    ConverterDialog dialog(std::move(setup));
    dialog.show();
    const DialogControls& c = dialog.controls();
    dialog.setSourceFolder(QString::fromStdString(game.root()));
    c.screen->setCurrentIndex(1);
    c.quality->setCurrentIndex(2);
    c.bgmBitrate->setCurrentIndex(5);
    c.bgmRate->setCurrentIndex(1);
    QTest::mouseClick(c.stereo, Qt::LeftButton);
    c.voiceBitrate->setCurrentIndex(1);
    QTest::mouseClick(c.start, Qt::LeftButton);
    ASSERT_TRUE(dialog.converting());
    ASSERT_TRUE(test::eventually([&] { return !dialog.converting(); }));

    auto r = test::runProgram(
        test::programPath("convMarlitPC"),
        {game.root(), "--out", terminalOut.string(), "--screen", "640x480", "--quality", "2",
         "--bgm-bitrate", "5", "--bgm-rate", "1", "--mono", "--voice-bitrate", "1"});
    ASSERT_EQ(r.exitCode, 0) << r.err;

    auto names = test::folderNames(windowOut);
    EXPECT_EQ(names, (std::vector<std::string>{"01.mp3", "grpack_v.mlz", "voice.mlz"}));
    EXPECT_EQ(names, test::folderNames(terminalOut));
    for (const auto& name : names) {
        auto fromWindow = readHostFile((windowOut / name).string());
        ASSERT_TRUE(fromWindow) << name;
        EXPECT_FALSE(fromWindow->empty()) << name;
        EXPECT_EQ(fromWindow, readHostFile((terminalOut / name).string())) << name;
    }
}

}  // namespace
}  // namespace marlit
