// Opens convMarlitPC's window on the desktop and runs it until it closes.
#pragma once

#include "converter/convert_settings.h"

namespace marlit {

struct ConverterWindowOptions {
    ConvertSettings settings;              // the defaults or the command line's settings
    bool settingsFromCommandLine = false;  // false: the remembered settings are shown
    bool remember = true;                  // keep the settings between runs
};

// Returns the program's exit code.
int runConverterWindow(int argc, char** argv, const ConverterWindowOptions& options);

}  // namespace marlit
