#include "apps/convMarlitPC/options.h"

#include <cstdlib>
#include <filesystem>
#include <string_view>

namespace marlit {

const char* const kConverterUsage =
    "usage: convMarlitPC [SOURCE] [options]\n"
    "       convMarlitPC [--gui] [--no-remember]\n"
    "Converts the installed PC game in the folder SOURCE (the folder holding\n"
    "ZERIVAD.exe or ZUDOVI.exe) into the handheld data set: the picture pack\n"
    "grpack.mlz (grpack_v.mlz at 640*480), one MP3 per music piece or effect,\n"
    "and the voice pack voice.mlz. The player reads them from the folder \"1\"\n"
    "of its program folder: convert with --out DIR/1, play with --dir DIR.\n"
    "\n"
    "options (the converter dialog's items; defaults as the dialog's):\n"
    "  --out DIR              output folder (default: the current folder)\n"
    "  --screen 320x240|640x480\n"
    "                         画面サイズ: 320*240 scales pictures to 40 %,\n"
    "                         640*480 to 80 % (default 320x240)\n"
    "  --quality 0..3         画質: 0 最高画質 (uncompressed), 1 高画質(100),\n"
    "                         2 標準(90), 3 低画質(80) (default 0)\n"
    "  --bgm-bitrate INDEX    ＢＧＭ設定 BIT, 0..12: 16/8, 32/16, 48/24, 64/32,\n"
    "                         80/40, 96/48, 112/56, 128/64, 160/80, 192/96,\n"
    "                         224/112, 256/128, 320/160 kbit stereo/mono (default 3)\n"
    "  --bgm-rate 0|1         ＢＧＭ設定 RATE: 0 22.05kHz, 1 44.10kHz (default 0)\n"
    "  --mono                 ＢＧＭ設定: ｽﾃﾚｵ off (music and effects in mono)\n"
    "  --voice-bitrate INDEX  音声設定 BIT, 0..12: 8, 16, 24, 32, 40, 48, 56, 64,\n"
    "                         80, 96, 112, 128, 160 kbit (default 3)\n"
    "  --voice-rate 0|1       音声設定 RATE: 0 22.05kHz, 1 44.10kHz (default 0)\n"
    "  --no-pictures          画像＆シナリオ off\n"
    "  --no-sound             ＢＧＭ＆効果音 off\n"
    "  --no-voice             音声 off\n"
    "  --format 0|1           output format list: 0 MP3, 1 MOGG (MP3 is written\n"
    "                         either way) (default 0)\n"
    "  --jobs N               worker threads (default: one per core)\n"
    "  --gui                  open the window (the default without arguments on a\n"
    "                         desktop); the options given are shown in it\n"
    "  --no-remember          the window neither shows nor keeps the last settings\n"
    "  --version              the program's version and the MP3 encoder's (exit 1\n"
    "                         when no encoder can be loaded)\n"
    "  --help                 this text\n";

namespace {

std::optional<int> intValue(std::string_view text, int lo, int hi) {
    if (text.empty())
        return std::nullopt;
    char* end = nullptr;
    std::string copy(text);
    long v = std::strtol(copy.c_str(), &end, 10);
    if (*end != '\0' || v < lo || v > hi)
        return std::nullopt;
    return static_cast<int>(v);
}

}  // namespace

std::optional<ConverterOptions> parseConverterOptions(int argc, char** argv, std::string& error) {
    ConverterOptions o;
    std::error_code ec;
    o.settings.outputFolder = std::filesystem::current_path(ec).string();
    for (int i = 1; i < argc; ++i) {
        std::string_view a = argv[i];
        auto value = [&](std::string_view name) -> std::optional<std::string_view> {
            if (i + 1 >= argc) {
                error = "option " + std::string(name) + " needs a value";
                return std::nullopt;
            }
            return std::string_view(argv[++i]);
        };
        auto number = [&](std::string_view name, int lo, int hi, int& out) {
            auto v = value(name);
            if (!v)
                return false;
            auto n = intValue(*v, lo, hi);
            if (!n) {
                error = "option " + std::string(name) + " takes " + std::to_string(lo) + ".." +
                        std::to_string(hi) + ", not '" + std::string(*v) + "'";
                return false;
            }
            out = *n;
            return true;
        };
        ConvertSettings& s = o.settings;
        if (a == "--help" || a == "-h") {
            o.help = true;
        } else if (a == "--version") {
            o.version = true;
        } else if (a == "--gui") {
            o.gui = true;
        } else if (a == "--no-remember") {
            o.noRemember = true;
        } else if (a == "--out") {
            auto v = value(a);
            if (!v)
                return std::nullopt;
            s.outputFolder = std::string(*v);
        } else if (a == "--screen") {
            auto v = value(a);
            if (!v)
                return std::nullopt;
            if (*v == "320x240") {
                s.screenIndex = 0;
            } else if (*v == "640x480") {
                s.screenIndex = 1;
            } else {
                error = "option --screen takes 320x240 or 640x480, not '" + std::string(*v) + "'";
                return std::nullopt;
            }
        } else if (a == "--quality") {
            if (!number(a, 0, 3, s.pictureQuality))
                return std::nullopt;
        } else if (a == "--bgm-bitrate") {
            if (!number(a, 0, 12, s.bgmBitrateIndex))
                return std::nullopt;
        } else if (a == "--bgm-rate") {
            if (!number(a, 0, 1, s.bgmRateIndex))
                return std::nullopt;
        } else if (a == "--mono") {
            s.bgmStereo = false;
        } else if (a == "--voice-bitrate") {
            if (!number(a, 0, 12, s.voiceBitrateIndex))
                return std::nullopt;
        } else if (a == "--voice-rate") {
            if (!number(a, 0, 1, s.voiceRateIndex))
                return std::nullopt;
        } else if (a == "--no-pictures") {
            s.pictures = false;
        } else if (a == "--no-sound") {
            s.sound = false;
        } else if (a == "--no-voice") {
            s.voice = false;
        } else if (a == "--format") {
            if (!number(a, 0, 1, s.formatIndex))
                return std::nullopt;
        } else if (a == "--jobs") {
            if (!number(a, 1, 256, s.jobs))
                return std::nullopt;
        } else if (a.size() > 1 && a[0] == '-') {
            error = "unknown option " + std::string(a);
            return std::nullopt;
        } else if (o.haveSource) {
            error = "only one SOURCE folder can be given";
            return std::nullopt;
        } else {
            s.sourceFolder = std::string(a);
            o.haveSource = true;
        }
    }
    return o;
}

}  // namespace marlit
