#include "tools/marlit_tool/sound_options.h"

namespace marlit::tool {

bool readMp3Options(const Args& args, Mp3Settings& settings, std::string& error) {
    bool ok = true;
    if (auto i = args.integer("bitrate-index", 0, kBitRateCount - 1, ok)) {
        settings.bitRateIndex = static_cast<int>(*i);
    }
    if (!ok) {
        error = "--bitrate-index takes 0 to " + std::to_string(kBitRateCount - 1);
        return false;
    }
    if (auto r = args.integer("rate-index", 0, kRateCount - 1, ok)) {
        settings.rateIndex = static_cast<int>(*r);
    }
    if (!ok) {
        error = "--rate-index takes 0 or 1";
        return false;
    }
    return true;
}

}  // namespace marlit::tool
