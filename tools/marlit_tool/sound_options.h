// The encoder options shared by the sound and voice commands.
#pragma once

#include <string>

#include "base/command_args.h"
#include "converter/sound_convert.h"

namespace marlit::tool {

// Reads --bitrate-index and --rate-index into settings; false (with the
// error) for values out of range.
bool readMp3Options(const Args& args, Mp3Settings& settings, std::string& error);

}  // namespace marlit::tool
