// mksample: writes the sample game, an original small game in the PC
// game's own formats, into a folder that the converter takes.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "tools/samplegame/game_writer.h"
#include "tools/samplegame/layout.h"

namespace {

const char* const kUsage =
    "usage: mksample OUTDIR [--small] [--png DIR] [--font FILE] [--only TEXT] [--jobs N]\n"
    "       mksample --layout\n"
    "Writes the sample game into OUTDIR: ZERIVAD.exe, the pictures (CRX), the\n"
    "scripts (AdvData\\mes\\*.mes, assembled from tools/samplegame/scripts/), music\n"
    "and effects (.pcm), and voice.dat. The same bytes on every run.\n"
    "\n"
    "options:\n"
    "  --small      the reduced game of the end-to-end test (fewer pictures,\n"
    "               shorter sounds)\n"
    "  --png DIR    also write every picture as a PNG under DIR, to look at\n"
    "  --font FILE  the gothic font for the pictures' text (default: IPAGothic\n"
    "               through fontconfig, else Debian's ipag.ttf)\n"
    "  --only TEXT  write only the files whose game path contains TEXT\n"
    "  --jobs N     worker threads (default: one per core)\n"
    "  --layout     print the system pictures and the rectangles the player cuts\n"
    "               from them (a Markdown table) and write nothing\n"
    "  --help       this text\n";

}  // namespace

int main(int argc, char** argv) {
    marlit::sample::SampleOptions options;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        auto value = [&](const char* name) -> const char* {
            if (i + 1 >= argc) {
                std::fprintf(stderr, "mksample: %s needs a value\n%s", name, kUsage);
                std::exit(2);
            }
            return argv[++i];
        };
        if (a == "--help" || a == "-h") {
            std::printf("%s", kUsage);
            return 0;
        } else if (a == "--layout") {
            std::printf("%s", marlit::sample::layoutTable().c_str());
            return 0;
        } else if (a == "--small") {
            options.small = true;
        } else if (a == "--png") {
            options.pngDir = value("--png");
        } else if (a == "--font") {
            options.fontPath = value("--font");
        } else if (a == "--only") {
            options.only = value("--only");
        } else if (a == "--jobs") {
            options.jobs = std::atoi(value("--jobs"));
        } else if (!a.empty() && a[0] == '-') {
            std::fprintf(stderr, "mksample: unknown option %s\n%s", a.c_str(), kUsage);
            return 2;
        } else if (options.outDir.empty()) {
            options.outDir = a;
        } else {
            std::fprintf(stderr, "mksample: one OUTDIR only (also got %s)\n%s", a.c_str(), kUsage);
            return 2;
        }
    }
    if (options.outDir.empty()) {
        std::fprintf(stderr, "%s", kUsage);
        return 2;
    }
    std::vector<marlit::sample::WrittenFile> written;
    std::string error;
    if (!marlit::sample::writeSampleGame(options, written, &error)) {
        std::fprintf(stderr, "mksample: %s\n", error.c_str());
        return 1;
    }
    unsigned long long total = 0;
    for (const auto& f : written)
        total += f.size;
    std::printf("mksample: %zu files, %llu bytes in %s\n", written.size(), total,
                options.outDir.c_str());
    return 0;
}
