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
};

// Parses argv; none with `error` set for a wrong option or value.
std::optional<ConverterOptions> parseConverterOptions(int argc, char** argv, std::string& error);

extern const char* const kConverterUsage;

}  // namespace marlit
