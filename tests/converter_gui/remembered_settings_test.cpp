// The window keeps its settings and folders between runs, and a settings
// file edited by hand cannot put a control out of its range.
#include "converter/platform/gui/remembered_settings.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QSettings>
#include <QTest>
#include <fstream>

#include "converter/platform/gui/converter_dialog.h"
#include "tests/converter_gui/window_driver.h"
#include "tests/support/temp_dir.h"

namespace marlit {
namespace {

TEST(RememberedSettings, WhatTheWindowLastShowedComesBack) {
    test::TempDir dir;
    QSettings store(QString::fromStdString(dir.file("convMarlitPC.conf")), QSettings::IniFormat);
    {
        DialogSetup setup = test::testSetup(dir.file("out"));
        setup.remember = &store;
        ConverterDialog dialog(std::move(setup));
        dialog.show();
        dialog.setSourceFolder(QString::fromStdString(dir.file("game/")));
        dialog.setOutputFolder(QString::fromStdString(dir.file("elsewhere")));
        dialog.controls().bgmBitrate->setCurrentIndex(7);
        dialog.controls().screen->setCurrentIndex(1);
        QTest::keyClick(&dialog, Qt::Key_Escape);
        ASSERT_FALSE(dialog.isVisible());
    }
    ConvertSettings defaults;
    defaults.outputFolder = dir.file("out");
    ConvertSettings s = loadRememberedSettings(store, defaults);
    EXPECT_EQ(s.sourceFolder, dir.file("game"));
    EXPECT_EQ(s.outputFolder, dir.file("elsewhere"));
    EXPECT_EQ(s.bgmBitrateIndex, 7);
    EXPECT_EQ(s.screenIndex, 1);
    EXPECT_EQ(s.pictureQuality, 0);
    EXPECT_TRUE(s.bgmStereo);
}

TEST(RememberedSettings, ValuesOutOfRangeOrGarbledKeepTheDefaults) {
    test::TempDir dir;
    std::ofstream(dir.file("convMarlitPC.conf")) << "[bgm]\nbitrate=13\nrate=-1\nstereo=maybe\n"
                                                 << "[voice]\nbitrate=x12\nrate=1\n"
                                                 << "[pictures]\nscreen=1\nquality=4\n"
                                                 << "[groups]\nvoice=false\n"
                                                 << "[output]\nformat=99999999999\n";
    QSettings store(QString::fromStdString(dir.file("convMarlitPC.conf")), QSettings::IniFormat);
    ConvertSettings defaults;
    defaults.outputFolder = "/here";
    ConvertSettings s = loadRememberedSettings(store, defaults);
    EXPECT_EQ(s.bgmBitrateIndex, 3);
    EXPECT_EQ(s.bgmRateIndex, 0);
    EXPECT_TRUE(s.bgmStereo);
    EXPECT_EQ(s.voiceBitrateIndex, 3);
    EXPECT_EQ(s.voiceRateIndex, 1);
    EXPECT_EQ(s.screenIndex, 1);
    EXPECT_EQ(s.pictureQuality, 0);
    EXPECT_FALSE(s.voice);
    EXPECT_TRUE(s.sound);
    EXPECT_EQ(s.formatIndex, 0);
    EXPECT_EQ(s.outputFolder, "/here");
    EXPECT_TRUE(s.sourceFolder.empty());
}

TEST(WindowLanguage, EnglishOutsideAJapaneseLocale) {
    EXPECT_EQ(windowLanguageFor(QLocale(QLocale::Japanese, QLocale::Japan)),
              WindowLanguage::Japanese);
    EXPECT_EQ(windowLanguageFor(QLocale(QLocale::English, QLocale::UnitedStates)),
              WindowLanguage::English);
    EXPECT_EQ(windowLanguageFor(QLocale(QLocale::German, QLocale::Germany)),
              WindowLanguage::English);
    test::TempDir dir;
    DialogSetup setup = test::testSetup(dir.file("out"));
    setup.language = WindowLanguage::English;
    ConverterDialog dialog(std::move(setup));
    EXPECT_EQ(dialog.controls().start->text(), "&Start");
    EXPECT_EQ(dialog.controls().quality->itemText(0), "Best (uncompressed)");
}

}  // namespace
}  // namespace marlit
