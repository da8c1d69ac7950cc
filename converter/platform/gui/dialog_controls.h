// The controls of convMarlitPC's window, laid out in the order of the
// converter dialog, and the mapping between them and ConvertSettings.
#pragma once

#include "converter/convert_settings.h"
#include "converter/platform/gui/window_texts.h"

class QCheckBox;
class QComboBox;
class QDialog;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QWidget;

namespace marlit {

// The numbers are the dialog's control identifiers.
struct DialogControls {
    QWidget* settingsArea = nullptr;  // all that is disabled while a job runs
    QLineEdit* folder = nullptr;      // 1000, read-only
    QPushButton* browse = nullptr;    // 1007
    QPushButton* start = nullptr;     // 1001
    QLineEdit* output = nullptr;      // the output folder, read-only
    QPushButton* browseOutput = nullptr;
    QComboBox* bgmBitrate = nullptr;    // 1002
    QComboBox* bgmRate = nullptr;       // 1003
    QCheckBox* stereo = nullptr;        // 1004
    QComboBox* voiceBitrate = nullptr;  // 1008
    QComboBox* voiceRate = nullptr;     // 1009
    QCheckBox* pictures = nullptr;      // 1012
    QCheckBox* sound = nullptr;         // 1013
    QCheckBox* voice = nullptr;         // 1014
    QComboBox* screen = nullptr;        // 1011
    QComboBox* quality = nullptr;       // 1010
    QComboBox* format = nullptr;        // 1005
    QLabel* encoderVersion = nullptr;   // 1015
    QLabel* status = nullptr;           // 1006
    QProgressBar* progress = nullptr;
    QPushButton* cancel = nullptr;
    QPlainTextEdit* report = nullptr;  // the last conversion's report
};

// Makes the controls as children of the dialog and lays them out.
DialogControls buildDialogControls(QDialog& dialog, const WindowTexts& texts);

// Shows the settings; a folder is shown without its trailing separator.
void showSettings(const DialogControls& controls, const ConvertSettings& settings);

// The settings the controls show; what they do not show (the job count)
// comes from `base`.
ConvertSettings shownSettings(const DialogControls& controls, ConvertSettings base);

}  // namespace marlit
