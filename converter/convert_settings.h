// What the user chose for one conversion. The defaults are the dialog's.
#pragma once

#include <string>

namespace marlit {

struct ConvertSettings {
    std::string sourceFolder;  // host path of the installed game
    std::string outputFolder;  // host path; the current directory by default

    int bgmBitrateIndex = 3;  // "64/32kbit"
    int bgmRateIndex = 0;     // 22.05 kHz
    bool bgmStereo = true;
    int voiceBitrateIndex = 3;  // "32kbit"
    int voiceRateIndex = 0;     // 22.05 kHz

    bool pictures = true;  // "画像＆シナリオ"
    bool sound = true;     // "ＢＧＭ＆効果音"
    bool voice = true;     // "音声"

    int screenIndex = 0;     // 0: 320*240, 1: 640*480
    int pictureQuality = 0;  // 0 uncompressed, 1 JBP 100, 2 JBP 90, 3 JBP 80
    int formatIndex = 0;     // "MP3"; carried along, the job always writes MP3

    int jobs = 0;  // worker threads; 0 means one per core

    int screenPercent() const { return screenIndex == 1 ? 80 : 40; }
};

}  // namespace marlit
