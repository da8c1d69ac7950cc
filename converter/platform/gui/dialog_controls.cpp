#include "converter/platform/gui/dialog_controls.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "converter/source_folder.h"

namespace marlit {

namespace {

template <size_t N>
QComboBox* comboBox(QWidget* parent, const char* name, const std::array<const char*, N>& items) {
    auto* box = new QComboBox(parent);
    box->setObjectName(name);
    for (const char* item : items)
        box->addItem(QString::fromUtf8(item));
    return box;
}

QCheckBox* checkBox(QWidget* parent, const char* name, const char* label) {
    auto* box = new QCheckBox(QString::fromUtf8(label), parent);
    box->setObjectName(name);
    return box;
}

QPushButton* button(QWidget* parent, const char* name, const char* label) {
    auto* b = new QPushButton(QString::fromUtf8(label), parent);
    b->setObjectName(name);
    b->setAutoDefault(false);
    return b;
}

QLineEdit* folderBox(QWidget* parent, const char* name) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(name);
    edit->setReadOnly(true);
    edit->setMinimumWidth(260);
    return edit;
}

// "BIT [list]" and "RATE [list]" rows of a settings group.
void addRateRows(QGridLayout* grid, const WindowTexts& texts, QComboBox* bit, QComboBox* rate) {
    grid->addWidget(new QLabel(QString::fromUtf8(texts.bitLabel)), 0, 0);
    grid->addWidget(bit, 0, 1);
    grid->addWidget(new QLabel(QString::fromUtf8(texts.rateLabel)), 1, 0);
    grid->addWidget(rate, 1, 1);
}

QLabel* labelFor(QWidget* parent, const char* text, QWidget* buddy) {
    auto* label = new QLabel(QString::fromUtf8(text), parent);
    label->setBuddy(buddy);
    return label;
}

}  // namespace

DialogControls buildDialogControls(QDialog& dialog, const WindowTexts& texts) {
    DialogControls c;
    auto* area = new QWidget(&dialog);
    area->setObjectName("settingsArea");
    c.settingsArea = area;

    // Created in the dialog's order, which is also the order of the Tab key.
    c.folder = folderBox(area, "folder");
    c.browse = button(area, "browse", texts.browse);
    c.start = button(area, "start", texts.start);
    c.output = folderBox(area, "output");
    c.browseOutput = button(area, "browseOutput", texts.browseOutput);

    auto* bgm = new QGroupBox(QString::fromUtf8(texts.bgmGroup), area);
    c.bgmBitrate = comboBox(bgm, "bgmBitrate", texts.bgmBitrates);
    c.bgmRate = comboBox(bgm, "bgmRate", texts.rates);
    c.stereo = checkBox(bgm, "stereo", texts.stereo);
    auto* bgmGrid = new QGridLayout(bgm);
    addRateRows(bgmGrid, texts, c.bgmBitrate, c.bgmRate);
    bgmGrid->addWidget(c.stereo, 1, 2);

    auto* voice = new QGroupBox(QString::fromUtf8(texts.voiceGroup), area);
    c.voiceBitrate = comboBox(voice, "voiceBitrate", texts.voiceBitrates);
    c.voiceRate = comboBox(voice, "voiceRate", texts.rates);
    addRateRows(new QGridLayout(voice), texts, c.voiceBitrate, c.voiceRate);

    c.pictures = checkBox(area, "pictures", texts.picturesGroup);
    c.sound = checkBox(area, "sound", texts.soundGroup);
    c.voice = checkBox(area, "voice", texts.voiceGroupCheck);
    c.screen = comboBox(area, "screen", texts.screens);
    c.quality = comboBox(area, "quality", texts.qualities);
    c.format = comboBox(area, "format", texts.formats);
    c.encoderVersion = new QLabel(area);
    c.encoderVersion->setObjectName("encoderVersion");

    auto* folderRow = new QHBoxLayout;
    folderRow->addWidget(c.folder, 1);
    folderRow->addWidget(c.browse);
    folderRow->addWidget(c.start);
    auto* outputRow = new QHBoxLayout;
    outputRow->addWidget(labelFor(area, texts.outputLabel, c.output));
    outputRow->addWidget(c.output, 1);
    outputRow->addWidget(c.browseOutput);
    auto* groupRow = new QHBoxLayout;
    groupRow->addWidget(bgm);
    groupRow->addWidget(voice);
    auto* checkRow = new QHBoxLayout;
    checkRow->addWidget(c.pictures);
    checkRow->addWidget(c.sound);
    checkRow->addWidget(c.voice);
    checkRow->addStretch();
    auto* pictureRow = new QHBoxLayout;
    pictureRow->addWidget(labelFor(area, texts.screenLabel, c.screen));
    pictureRow->addWidget(c.screen);
    pictureRow->addSpacing(12);
    pictureRow->addWidget(labelFor(area, texts.qualityLabel, c.quality));
    pictureRow->addWidget(c.quality);
    pictureRow->addSpacing(12);
    pictureRow->addWidget(c.format);
    pictureRow->addStretch();

    auto* areaLayout = new QVBoxLayout(area);
    areaLayout->setContentsMargins(0, 0, 0, 0);
    areaLayout->addLayout(folderRow);
    areaLayout->addLayout(outputRow);
    areaLayout->addLayout(groupRow);
    areaLayout->addLayout(checkRow);
    areaLayout->addLayout(pictureRow);
    areaLayout->addWidget(c.encoderVersion);

    // Outside the area: they stay enabled while a job runs.
    c.status = new QLabel(&dialog);
    c.status->setObjectName("status");
    c.status->setMinimumWidth(240);
    c.progress = new QProgressBar(&dialog);
    c.progress->setObjectName("progress");
    c.progress->setTextVisible(false);
    c.progress->setRange(0, 1);
    c.progress->setValue(0);
    c.cancel = button(&dialog, "cancel", texts.cancel);
    c.cancel->setEnabled(false);
    c.report = new QPlainTextEdit(&dialog);
    c.report->setObjectName("report");
    c.report->setReadOnly(true);
    c.report->setMinimumHeight(c.report->fontMetrics().lineSpacing() * 8);
    c.report->setVisible(false);

    auto* statusRow = new QHBoxLayout;
    statusRow->addWidget(c.status, 1);
    statusRow->addWidget(c.progress);
    statusRow->addWidget(c.cancel);
    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(area);
    layout->addLayout(statusRow);
    layout->addWidget(c.report, 1);
    return c;
}

void showSettings(const DialogControls& c, const ConvertSettings& s) {
    c.folder->setText(QString::fromStdString(withoutTrailingSeparator(s.sourceFolder)));
    c.output->setText(QString::fromStdString(withoutTrailingSeparator(s.outputFolder)));
    c.bgmBitrate->setCurrentIndex(s.bgmBitrateIndex);
    c.bgmRate->setCurrentIndex(s.bgmRateIndex);
    c.stereo->setChecked(s.bgmStereo);
    c.voiceBitrate->setCurrentIndex(s.voiceBitrateIndex);
    c.voiceRate->setCurrentIndex(s.voiceRateIndex);
    c.pictures->setChecked(s.pictures);
    c.sound->setChecked(s.sound);
    c.voice->setChecked(s.voice);
    c.screen->setCurrentIndex(s.screenIndex);
    c.quality->setCurrentIndex(s.pictureQuality);
    c.format->setCurrentIndex(s.formatIndex);
}

ConvertSettings shownSettings(const DialogControls& c, ConvertSettings s) {
    s.sourceFolder = c.folder->text().toStdString();
    s.outputFolder = c.output->text().toStdString();
    s.bgmBitrateIndex = c.bgmBitrate->currentIndex();
    s.bgmRateIndex = c.bgmRate->currentIndex();
    s.bgmStereo = c.stereo->isChecked();
    s.voiceBitrateIndex = c.voiceBitrate->currentIndex();
    s.voiceRateIndex = c.voiceRate->currentIndex();
    s.pictures = c.pictures->isChecked();
    s.sound = c.sound->isChecked();
    s.voice = c.voice->isChecked();
    s.screenIndex = c.screen->currentIndex();
    s.pictureQuality = c.quality->currentIndex();
    s.formatIndex = c.format->currentIndex();
    return s;
}

}  // namespace marlit
