// convMarlitPC's command line: the converter dialog's choices as options.
#pragma once

#include <optional>
#include <string>

#include "converter/convert_settings.h"

namespace marlit {

struct ConverterOptions {
    ConvertSettings settings;
    bool help = false;
    bool version = false;
    bool haveSource = false;
    bool gui = false;         // --gui: the window even with other options
    bool noRemember = false;  // --no-remember: the window keeps no settings
};

// Parses argv; none with `error` set for a wrong option or value.
std::optional<ConverterOptions> parseConverterOptions(int argc, char** argv, std::string& error);

extern const char* const kConverterUsage;

}  // namespace marlit
