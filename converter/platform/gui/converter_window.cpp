#include "converter/platform/gui/converter_window.h"

#include <QApplication>
#include <QLocale>
#include <QSettings>

#include "converter/key_list.h"
#include "converter/platform/gui/converter_dialog.h"
#include "converter/platform/gui/remembered_settings.h"
#include "converter/platform/mp3_encoder.h"

namespace marlit {

int runConverterWindow(int argc, char** argv, const ConverterWindowOptions& options) {
    QApplication app(argc, argv);
    QCoreApplication::setOrganizationName("marlit");
    QCoreApplication::setApplicationName("convMarlitPC");
    // The desktop's usual place, e.g. ~/.config/marlit/convMarlitPC.conf.
    QSettings store;

    DialogSetup setup;
    setup.settings = options.settingsFromCommandLine || !options.remember
                         ? options.settings
                         : loadRememberedSettings(store, options.settings);
    // Loaded here only to read its version, and freed again.
    setup.encoderVersion = probeMp3EncoderVersion(&setup.encoderProblem);
    setup.keyListPath = defaultKeyListPath();
    setup.language = windowLanguageFor(QLocale::system());
    setup.remember = options.remember ? &store : nullptr;

    ConverterDialog dialog(std::move(setup));
    dialog.exec();
    return 0;
}

}  // namespace marlit
