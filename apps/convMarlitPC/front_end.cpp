#include "apps/convMarlitPC/front_end.h"

#include <cstdio>
#include <cstdlib>
#include <string_view>

#if MARLIT_CONVERTER_WINDOW
#include "converter/platform/gui/converter_window.h"
#endif

#if MARLIT_CONVERTER_WINDOW && defined(__SANITIZE_ADDRESS__)
// The desktop libraries under Qt (fontconfig, the message bus) keep some
// buffers until the process ends; they are not ours to free.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libfontconfig.so\nleak:libdbus-1.so\n";
}
extern "C" const char* __lsan_default_options() {
    return "print_suppressions=0";
}
#endif

namespace marlit {

namespace {

bool isSet(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr && *value != '\0';
}

bool onDesktop() {
    return isSet("DISPLAY") || isSet("WAYLAND_DISPLAY");
}

bool onlyWindowSwitches(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        std::string_view a = argv[i];
        if (a != "--gui" && a != "--no-remember")
            return false;
    }
    return true;
}

}  // namespace

bool wantsWindow(const ConverterOptions& options, int argc, char** argv) {
    return options.gui || (onlyWindowSwitches(argc, argv) && onDesktop());
}

int runWindow(const ConverterOptions& options, int argc, char** argv) {
#if MARLIT_CONVERTER_WINDOW
    // QT_QPA_PLATFORM may name a platform without a display (offscreen).
    if (!onDesktop() && !isSet("QT_QPA_PLATFORM")) {
        std::fprintf(stderr,
                     "convMarlitPC: the window needs a display, and neither DISPLAY nor "
                     "WAYLAND_DISPLAY is set; convert in the terminal instead with "
                     "'convMarlitPC SOURCE'.\n");
        return 2;
    }
    ConverterWindowOptions window;
    window.settings = options.settings;
    window.settingsFromCommandLine = !onlyWindowSwitches(argc, argv);
    window.remember = !options.noRemember;
    return runConverterWindow(argc, argv, window);
#else
    std::fprintf(stderr,
                 "convMarlitPC: this build has no window (it was configured with "
                 "MARLIT_GUI=OFF); convert in the terminal with 'convMarlitPC SOURCE'.\n");
    return 2;
#endif
}

}  // namespace marlit
