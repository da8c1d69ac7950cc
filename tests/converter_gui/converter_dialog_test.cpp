// The converter's window as a user meets it: its controls, the checks
// before a start, the progress of a running job, cancelling it, and what it
// writes.
#include "converter/platform/gui/converter_dialog.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <cstdlib>
#include <filesystem>

#include "base/files.h"
#include "tests/converter/game_folder.h"
#include "tests/converter_gui/window_driver.h"
#include "tests/support/file_bytes.h"
#include "tests/support/temp_dir.h"

namespace marlit {
namespace {

namespace fs = std::filesystem;

QStringList items(const QComboBox* box) {
    QStringList list;
    for (int i = 0; i < box->count(); ++i)
        list << box->itemText(i);
    return list;
}

void click(QPushButton* button) {
    QTest::mouseClick(button, Qt::LeftButton);
}

struct Game {
    test::TempDir dir;
    test::GameFolder game{(dir.path() / "game").string()};
    fs::path out = dir.path() / "out";

    // The program file and two scripts: a job of three records.
    Game() {
        game.addProgram();
        game.putText("AdvData/mes/a01.mes", "first\r\n");
        game.putText("AdvData/mes/a02.mes", "second\r\n");
    }
};

TEST(ConverterDialog, ControlsCarryTheDialogsItemsDefaultsAndOrder) {
    test::TempDir dir;
    ConverterDialog dialog(test::testSetup(dir.path().string()));
    const DialogControls& c = dialog.controls();
    EXPECT_EQ(dialog.windowTitle(), "convMarlitPC[ver.1.01]Ｈ．Ｘ．Ｒ．Ｔ．専用コンバータ");
    EXPECT_TRUE(c.folder->isReadOnly());
    EXPECT_TRUE(c.folder->text().isEmpty());
    EXPECT_EQ(c.output->text(), QString::fromStdString(dir.path().string()));
    EXPECT_EQ(c.browse->text(), "参照(&F)");
    EXPECT_EQ(c.start->text(), "開始(&S)");
    EXPECT_EQ(items(c.bgmBitrate),
              QStringList({"16/8kbit", "32/16kbit", "48/24kbit", "64/32kbit", "80/40kbit",
                           "96/48kbit", "112/56kbit", "128/64kbit", "160/80kbit", "192/96kbit",
                           "224/112kbit", "256/128kbit", "320/160kbit"}));
    EXPECT_EQ(items(c.voiceBitrate),
              QStringList({"8kbit", "16kbit", "24kbit", "32kbit", "40kbit", "48kbit", "56kbit",
                           "64kbit", "80kbit", "96kbit", "112kbit", "128kbit", "160kbit"}));
    EXPECT_EQ(items(c.bgmRate), QStringList({"22.05kHz", "44.10kHz"}));
    EXPECT_EQ(items(c.voiceRate), items(c.bgmRate));
    EXPECT_EQ(items(c.screen), QStringList({"320*240", "640*480"}));
    EXPECT_EQ(items(c.quality), QStringList({"最高画質", "高画質(100)", "標準(90)", "低画質(80)"}));
    EXPECT_EQ(items(c.format), QStringList({"MP3", "MOGG"}));
    EXPECT_EQ(c.stereo->text(), "ｽﾃﾚｵ");
    EXPECT_EQ(c.pictures->text(), "画像＆シナリオ");
    EXPECT_EQ(c.sound->text(), "ＢＧＭ＆効果音");
    EXPECT_EQ(c.voice->text(), "音声");
    QStringList groups;
    for (auto* g : dialog.findChildren<QGroupBox*>())
        groups << g->title();
    EXPECT_EQ(groups, QStringList({"ＢＧＭ設定", "音声設定(モノラル)"}));

    EXPECT_EQ(c.bgmBitrate->currentIndex(), 3);
    EXPECT_EQ(c.voiceBitrate->currentIndex(), 3);
    for (auto* box : {c.bgmRate, c.voiceRate, c.screen, c.quality, c.format})
        EXPECT_EQ(box->currentIndex(), 0) << box->objectName().toStdString();
    for (auto* box : {c.stereo, c.pictures, c.sound, c.voice})
        EXPECT_TRUE(box->isChecked()) << box->objectName().toStdString();
    EXPECT_TRUE(c.status->text().isEmpty());
    EXPECT_TRUE(c.encoderVersion->text().startsWith("LAME : "));

    // The Tab key walks the controls in the dialog's order.
    const std::vector<QWidget*> order{c.folder,       c.browse,     c.start,    c.output,
                                      c.browseOutput, c.bgmBitrate, c.bgmRate,  c.stereo,
                                      c.voiceBitrate, c.voiceRate,  c.pictures, c.sound,
                                      c.voice,        c.screen,     c.quality,  c.format};
    std::vector<QWidget*> walked;
    QWidget* w = c.folder;
    do {
        if (std::find(order.begin(), order.end(), w) != order.end())
            walked.push_back(w);
        w = w->nextInFocusChain();
    } while (w != c.folder);
    EXPECT_EQ(walked, order);
}

TEST(ConverterDialog, SettingsFollowTheControls) {
    test::TempDir dir;
    ConverterDialog dialog(test::testSetup(dir.path().string()));
    dialog.show();
    const DialogControls& c = dialog.controls();
    c.bgmBitrate->setCurrentIndex(12);
    c.bgmRate->setCurrentIndex(1);
    QTest::mouseClick(c.stereo, Qt::LeftButton);
    c.voiceBitrate->setCurrentIndex(0);
    c.voiceRate->setCurrentIndex(1);
    QTest::mouseClick(c.sound, Qt::LeftButton);
    c.screen->setCurrentIndex(1);
    c.quality->setCurrentIndex(3);
    c.format->setCurrentIndex(1);
    ConvertSettings s = dialog.settings();
    EXPECT_EQ(s.bgmBitrateIndex, 12);
    EXPECT_EQ(s.bgmRateIndex, 1);
    EXPECT_FALSE(s.bgmStereo);
    EXPECT_EQ(s.voiceBitrateIndex, 0);
    EXPECT_EQ(s.voiceRateIndex, 1);
    EXPECT_TRUE(s.pictures);
    EXPECT_FALSE(s.sound);
    EXPECT_TRUE(s.voice);
    EXPECT_EQ(s.screenPercent(), 80);
    EXPECT_EQ(s.pictureQuality, 3);
    EXPECT_EQ(s.formatIndex, 1);
    EXPECT_EQ(s.outputFolder, dir.path().string());
    EXPECT_EQ(s.jobs, 1);
}

TEST(ConverterDialog, BrowseTakesTheChosenFolderAndShowsItWithoutSeparator) {
    Game g;
    ConverterDialog dialog(test::testSetup(g.out.string()));
    dialog.show();
    click(dialog.controls().browse);
    auto* chooser = dialog.findChild<QFileDialog*>("folderChooser");
    ASSERT_NE(chooser, nullptr);
    EXPECT_EQ(chooser->windowTitle(), "フォルダを選択して下さい。");
    EXPECT_EQ(chooser->fileMode(), QFileDialog::Directory);
    // The user types the folder with a separator at its end and takes it.
    auto* name = chooser->findChild<QLineEdit*>("fileNameEdit");
    ASSERT_NE(name, nullptr);
    name->setText(QString::fromStdString(g.game.root() + "/"));
    QTest::keyClick(name, Qt::Key_Return);
    EXPECT_EQ(dialog.controls().folder->text().toStdString(), g.game.root());

    // A chooser that hands the folder back with its separator (as the
    // desktop's own may do for a drive's root).
    dialog.setSourceFolder(QString::fromStdString(g.game.root() + "//"));
    EXPECT_EQ(dialog.controls().folder->text().toStdString(), g.game.root());
    click(dialog.controls().start);
    EXPECT_TRUE(dialog.converting());
    ASSERT_TRUE(test::eventually([&] { return !dialog.converting(); }));
    EXPECT_TRUE(fs::is_regular_file(g.out / "grpack.mlz"));
}

TEST(ConverterDialog, StartWithoutAFolderDoesNothing) {
    test::TempDir dir;
    ConverterDialog dialog(test::testSetup((dir.path() / "out").string()));
    dialog.show();
    click(dialog.controls().start);
    QTest::qWait(0);
    EXPECT_FALSE(dialog.converting());
    EXPECT_EQ(test::shownMessage(dialog), nullptr);
    EXPECT_TRUE(dialog.controls().settingsArea->isEnabled());
    EXPECT_TRUE(dialog.controls().status->text().isEmpty());
    EXPECT_FALSE(fs::exists(dir.path() / "out"));
}

// The checks run in the dialog's order: the encoder before the folder.
TEST(ConverterDialog, MissingEncoderIsReportedBeforeTheFolderIsLookedAt) {
    Game g;
    ::setenv("MARLIT_LAME_LIBRARY", "libmarlit-no-such-encoder.so", 1);
    DialogSetup setup = test::testSetup(g.out.string());
    ::unsetenv("MARLIT_LAME_LIBRARY");
    ASSERT_FALSE(setup.encoderVersion);
    ConverterDialog dialog(std::move(setup));
    dialog.show();
    EXPECT_EQ(dialog.controls().encoderVersion->text(), "LAME : 見つかりません");

    for (std::string folder : {g.game.root(), g.dir.path().string()}) {
        dialog.setSourceFolder(QString::fromStdString(folder));
        click(dialog.controls().start);
        QMessageBox* box = test::shownMessage(dialog);
        ASSERT_NE(box, nullptr) << folder;
        EXPECT_EQ(box->windowTitle(), "ＤＬＬ異常");
        EXPECT_EQ(box->text(), "<< libmp3lame >>が見つかりませんでした。");
        EXPECT_EQ(box->icon(), QMessageBox::Warning);
        EXPECT_TRUE(box->informativeText().contains("libmarlit-no-such-encoder.so"));
        EXPECT_FALSE(dialog.converting());
        box->close();
        QTest::qWait(0);
    }

    // Pictures and scripts alone need no encoder: the folder is checked.
    QTest::mouseClick(dialog.controls().sound, Qt::LeftButton);
    QTest::mouseClick(dialog.controls().voice, Qt::LeftButton);
    dialog.setSourceFolder(QString::fromStdString(g.dir.path().string()));
    click(dialog.controls().start);
    QMessageBox* box = test::shownMessage(dialog);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->windowTitle(), "フォルダ異常");
    EXPECT_EQ(box->text(), "『Ｈ．Ｘ．Ｒ．Ｔ．』のフォルダを指定して下さい。");
    EXPECT_EQ(box->icon(), QMessageBox::Warning);
    EXPECT_TRUE(box->informativeText().contains(QString::fromStdString(g.dir.path().string())));
    EXPECT_FALSE(dialog.converting());
    EXPECT_FALSE(fs::exists(g.out));
    box->close();
    QTest::qWait(0);

    dialog.setSourceFolder(QString::fromStdString(g.game.root()));
    click(dialog.controls().start);
    EXPECT_EQ(test::shownMessage(dialog), nullptr);
    ASSERT_TRUE(test::eventually([&] { return !dialog.converting(); }));
    EXPECT_TRUE(fs::is_regular_file(g.out / "grpack.mlz"));
}

// What the job needs besides the game is checked before it starts too: the
// key list that ships with the program and an output folder it can make.
TEST(ConverterDialog, MissingKeyListOrOutputFolderIsReportedAndNothingStarts) {
    Game g;
    DialogSetup setup = test::testSetup(g.out.string());
    setup.keyListPath = g.dir.file("no-such-list.txt");
    ConverterDialog dialog(std::move(setup));
    dialog.show();
    dialog.setSourceFolder(QString::fromStdString(g.game.root()));
    click(dialog.controls().start);
    QMessageBox* box = test::shownMessage(dialog);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->windowTitle(), "データ異常");
    EXPECT_TRUE(box->text().contains("no-such-list.txt")) << box->text().toStdString();
    EXPECT_TRUE(box->text().contains("MARLIT_DATA_DIR"));
    EXPECT_FALSE(dialog.converting());
    box->close();
    QTest::qWait(0);

    ASSERT_TRUE(writeHostFileAtomic(g.dir.file("file"), std::vector<uint8_t>{1}));
    dialog.setOutputFolder(QString::fromStdString(g.dir.file("file") + "/out"));
    click(dialog.controls().start);
    box = test::shownMessage(dialog);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->windowTitle(), "フォルダ異常");
    EXPECT_TRUE(box->text().contains(QString::fromStdString(g.dir.file("file") + "/out")));
    EXPECT_FALSE(dialog.converting());
}

// While the job runs the dialog is disabled and the status line shows done,
// total and the current file from the 100 ms timer; afterwards it is empty,
// the dialog is enabled and the report lists the pack.
TEST(ConverterDialog, StatusLineFollowsTheJobAndIsEmptyAfterIt) {
    Game g;
    auto gate = std::make_shared<test::FileGate>();
    ConverterDialog dialog(test::testSetup(g.out.string(), gate));
    dialog.show();
    const DialogControls& c = dialog.controls();
    dialog.setSourceFolder(QString::fromStdString(g.game.root()));
    c.sound->setChecked(false);
    c.voice->setChecked(false);
    auto opened = qScopeGuard([&] { gate->open(); });

    EXPECT_TRUE(dialog.progressTimer().isActive());
    EXPECT_LE(dialog.progressTimer().interval(), 100);
    click(c.start);
    ASSERT_TRUE(dialog.converting());
    std::string first;
    ASSERT_TRUE(test::eventually([&] {
        first = gate->held();
        return !first.empty() &&
               c.status->text().toStdString() == "変換データ数：1 / 3 (" + first + ")";
    })) << c.status->text().toStdString();
    EXPECT_EQ(c.progress->maximum(), 3);
    EXPECT_EQ(c.progress->value(), 1);
    EXPECT_FALSE(c.settingsArea->isEnabled());
    EXPECT_FALSE(c.start->isEnabled());
    EXPECT_TRUE(c.cancel->isEnabled());

    gate->release();
    std::string second;
    ASSERT_TRUE(test::eventually([&] {
        second = gate->held();
        return !second.empty() &&
               c.status->text().toStdString() == "変換データ数：2 / 3 (" + second + ")";
    })) << c.status->text().toStdString();
    EXPECT_NE(first, second);

    gate->release();
    ASSERT_TRUE(test::eventually([&] { return !dialog.converting(); }));
    EXPECT_TRUE(c.status->text().isEmpty());
    EXPECT_TRUE(c.settingsArea->isEnabled());
    EXPECT_FALSE(c.cancel->isEnabled());
    EXPECT_EQ(c.progress->value(), 0);
    EXPECT_EQ(gate->arrivals(), 2);
    auto size = fs::file_size(g.out / "grpack.mlz");
    QString report = c.report->toPlainText();
    EXPECT_TRUE(c.report->isVisible());
    EXPECT_TRUE(report.contains(QString::fromStdString((g.out / "grpack.mlz").string()) +
                                QString("  (%1 バイト)").arg(size)))
        << report.toStdString();
    EXPECT_TRUE(report.contains("1 ファイル")) << report.toStdString();
}

// A cancel stops the worker before its next file; the pack it was writing
// is dropped and the older one stays. Closing the window while a job runs
// cancels it too, and the window closes once the worker has stopped.
TEST(ConverterDialog, CancelLeavesTheOlderPackAndClosingWaitsForTheWorker) {
    Game g;
    fs::create_directories(g.out);
    const std::vector<uint8_t> oldPack{'o', 'l', 'd'};
    ASSERT_TRUE(writeHostFileAtomic((g.out / "grpack.mlz").string(), oldPack));
    auto gate = std::make_shared<test::FileGate>();
    ConverterDialog dialog(test::testSetup(g.out.string(), gate));
    dialog.show();
    const DialogControls& c = dialog.controls();
    dialog.setSourceFolder(QString::fromStdString(g.game.root()));
    c.sound->setChecked(false);
    c.voice->setChecked(false);
    auto opened = qScopeGuard([&] { gate->open(); });

    click(c.start);
    ASSERT_TRUE(test::eventually([&] { return !gate->held().empty(); }));
    click(c.cancel);
    EXPECT_FALSE(c.cancel->isEnabled());
    EXPECT_EQ(c.cancel->text(), "中止しています…");
    gate->release();
    ASSERT_TRUE(test::eventually([&] { return !dialog.converting(); }));
    EXPECT_EQ(gate->arrivals(), 1);
    EXPECT_EQ(readHostFile((g.out / "grpack.mlz").string()), oldPack);
    EXPECT_EQ(test::folderNames(g.out), std::vector<std::string>{"grpack.mlz"});
    EXPECT_TRUE(c.report->toPlainText().startsWith("中止しました。"));
    EXPECT_EQ(c.cancel->text(), "中止(&C)");
    EXPECT_TRUE(c.settingsArea->isEnabled());

    click(c.start);
    ASSERT_TRUE(test::eventually([&] { return gate->arrivals() == 2; }));
    dialog.close();
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_TRUE(dialog.converting());
    gate->release();
    ASSERT_TRUE(test::eventually([&] { return !dialog.isVisible(); }));
    EXPECT_FALSE(dialog.converting());
    EXPECT_EQ(gate->arrivals(), 2);
    EXPECT_EQ(readHostFile((g.out / "grpack.mlz").string()), oldPack);
}

}  // namespace
}  // namespace marlit
