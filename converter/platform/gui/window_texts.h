// Every text of convMarlitPC's window, in Japanese (the window's own
// language) and in English for desktops that run in another language.
#pragma once

#include <array>

class QLocale;

namespace marlit {

enum class WindowLanguage { Japanese, English };

// Japanese for a Japanese locale, English for any other.
WindowLanguage windowLanguageFor(const QLocale& locale);

struct WindowTexts {
    const char* caption;
    const char* browse;
    const char* start;
    const char* outputLabel;
    const char* browseOutput;
    const char* bgmGroup;
    const char* bitLabel;
    const char* rateLabel;
    std::array<const char*, 13> bgmBitrates;
    std::array<const char*, 2> rates;
    const char* stereo;
    const char* voiceGroup;
    std::array<const char*, 13> voiceBitrates;
    const char* picturesGroup;
    const char* soundGroup;
    const char* voiceGroupCheck;
    const char* screenLabel;
    std::array<const char*, 2> screens;
    const char* qualityLabel;
    std::array<const char*, 4> qualities;
    std::array<const char*, 2> formats;
    const char* encoderLine;  // %1: the encoder's version text
    const char* encoderMissing;
    const char* statusLine;  // %1 done, %2 total, %3 the current name
    const char* cancel;
    const char* cancelling;
    const char* chooseSource;
    const char* chooseOutput;

    // Messages: caption, text, and what to do.
    const char* encoderCaption;
    const char* encoderText;
    const char* encoderAdvice;  // %1: the reason the library did not load
    const char* folderCaption;
    const char* folderText;
    const char* folderAdvice;  // %1: the folder
    const char* dataCaption;
    const char* keyListText;  // %1: why the list cannot be read
    const char* outputText;   // %1: the output folder

    // The report after a conversion.
    const char* reportWritten;
    const char* reportNothing;
    const char* reportFile;     // %1 path, %2 size in bytes
    const char* reportSummary;  // %1 files, %2 bytes, %3 seconds
    const char* reportFailed;   // %1 count
    const char* reportCancelled;
};

const WindowTexts& windowTexts(WindowLanguage language);

}  // namespace marlit
