// convMarlitPC: the converter's terminal front end. It does what the
// converter dialog does: checks the encoder and the game folder, runs one
// ConvertJob on a worker thread and shows its progress every 100 ms. On a
// desktop without arguments, or with --gui, the window runs instead.
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <thread>

#include "apps/convMarlitPC/front_end.h"
#include "apps/convMarlitPC/options.h"
#include "base/files.h"
#include "base/version.h"
#include "converter/convert_job.h"
#include "converter/key_list.h"
#include "converter/platform/mp3_encoder.h"

namespace fs = std::filesystem;
using namespace marlit;

namespace {

constexpr const char* kProgram = "convMarlitPC";

// One line on stderr, after the program's name.
void tell(const std::string& text) {
    std::fprintf(stderr, "%s: %s\n", kProgram, text.c_str());
}

int usageError(const std::string& text) {
    std::fprintf(stderr, "%s: %s (see %s --help)\n", kProgram, text.c_str(), kProgram);
    return 2;
}

// The game folder holds one of its two program files.
bool isGameFolder(const std::string& folder) {
    std::error_code ec;
    for (const char* program : {"ZERIVAD.exe", "ZUDOVI.exe"}) {
        if (fs::is_regular_file(resolveHostCase((fs::path(folder) / program).string()), ec))
            return true;
    }
    return false;
}

// The dialog's message for a wrong game folder, then what was checked.
int refuseGameFolder(const std::string& folder) {
    tell("『Ｈ．Ｘ．Ｒ．Ｔ．』のフォルダを指定して下さい。");
    std::error_code ec;
    std::string what = folder + " holds neither ZERIVAD.exe nor ZUDOVI.exe";
    if (!fs::exists(folder, ec))
        what = folder + ": no such folder";
    else if (!fs::is_directory(folder, ec))
        what = folder + " is a file, not a folder";
    tell(what + "; SOURCE is the folder where the PC game is installed");
    return 2;
}

// The dialog's message for a missing encoder, then what was looked for.
int refuseWithoutEncoder() {
    tell("<< libmp3lame >>が見つかりませんでした。");
    tell(std::string("the MP3 encoder ") + lameLibraryName() +
         " cannot be loaded; install the package libmp3lame0 (scripts/bootstrap does), or "
         "convert the pictures alone with --no-sound --no-voice");
    return 2;
}

// --version: the program's version and the encoder it found.
int printVersion(const std::optional<std::string>& encoder) {
    std::printf("%s\n", versionLine(kProgram).c_str());
    if (encoder) {
        std::printf("LAME : %s\n", encoder->c_str());
        return 0;
    }
    std::printf("LAME : not available (%s cannot be loaded)\n", lameLibraryName().c_str());
    return 1;
}

std::string statusLine(const ConvertJob& job) {
    char line[512];
    std::snprintf(line, sizeof line, "変換データ数：%d / %d (%s)", job.done(), job.total(),
                  job.currentName().c_str());
    return line;
}

// The count once the job has finished, without a current name.
std::string finalStatusLine(const ConvertJob& job) {
    char line[128];
    std::snprintf(line, sizeof line, "変換データ数：%d / %d", job.done(), job.total());
    return line;
}

// Shows the progress until the job has finished: in place every 100 ms on
// a terminal, else as plain lines at most once a second.
void showProgress(const ConvertJob& job) {
    const bool terminal = ::isatty(STDOUT_FILENO) != 0;
    auto lastLine = std::chrono::steady_clock::now() - std::chrono::seconds(1);
    std::string last;
    while (!job.waitFinished(std::chrono::milliseconds(100))) {
        std::string line = statusLine(job);
        if (terminal) {
            std::printf("\r%s\x1b[K", line.c_str());
            std::fflush(stdout);
        } else if (line != last &&
                   std::chrono::steady_clock::now() - lastLine >= std::chrono::seconds(1)) {
            std::printf("%s\n", line.c_str());
            std::fflush(stdout);
            last = line;
            lastLine = std::chrono::steady_clock::now();
        }
    }
    if (terminal) {
        std::printf("\r\x1b[K");
    } else {
        // A log ends with the final count, not with a sample taken before it.
        std::printf("%s\n", finalStatusLine(job).c_str());
    }
    std::fflush(stdout);
}

// How to play what was written: the player reads its data set from the
// folder "1" of its program folder (--dir).
std::string playHint(const ConvertSettings& settings) {
    const std::string player = settings.screenIndex == 1 ? "marlit_vga" : "marlit";
    fs::path out = fs::path(settings.outputFolder).lexically_normal();
    if (!out.has_filename() && out.has_parent_path())
        out = out.parent_path();
    if (out.filename() == "1")
        return "play it: " + player + " --dir " +
               (out.has_parent_path() ? out.parent_path().string() : ".");
    return "the player reads its data set from the folder \"1\" of --dir: move these files into " +
           (out / "1").string() + ", then play: " + player + " --dir " + out.string();
}

void report(const ConvertJob& job, double seconds) {
    uint64_t bytes = 0;
    std::printf("written:\n");
    for (const auto& out : job.outputs()) {
        std::printf("  %s  (%llu bytes)\n", out.path.c_str(),
                    static_cast<unsigned long long>(out.size));
        bytes += out.size;
    }
    if (job.outputs().empty())
        std::printf("  nothing\n");
    std::printf("%zu files, %llu bytes, in %.2f s\n", job.outputs().size(),
                static_cast<unsigned long long>(bytes), seconds);

    if (!job.failures().empty()) {
        std::printf("not converted (%zu):\n", job.failures().size());
        for (const auto& f : job.failures()) {
            std::printf("  %s: %s\n", f.name.c_str(), f.reason.c_str());
        }
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fputs(kConverterUsage, stderr);
        return 2;
    }
    std::string error;
    auto options = parseConverterOptions(argc, argv, error);
    if (!options)
        return usageError(error);
    if (options->help) {
        std::fputs(kConverterUsage, stdout);
        return 0;
    }
    if (!options->version && wantsWindow(*options, argc, argv))
        return runWindow(*options, argc, argv);
    auto version = mp3EncoderVersion();
    if (options->version)
        return printVersion(version);
    ConvertSettings& settings = options->settings;
    if (!options->haveSource)
        return usageError("no game folder given: convMarlitPC SOURCE [options]");
    if ((settings.sound || settings.voice) && !version)
        return refuseWithoutEncoder();
    if (!isGameFolder(settings.sourceFolder))
        return refuseGameFolder(settings.sourceFolder);
    std::string keyError;
    auto keys = KeyList::load(defaultKeyListPath(), &keyError);
    if (!keys) {
        tell("the key picture list is missing: " + keyError);
        return 2;
    }
    std::error_code ec;
    fs::create_directories(settings.outputFolder, ec);
    if (!fs::is_directory(settings.outputFolder, ec)) {
        tell("cannot create the output folder " + settings.outputFolder);
        return 2;
    }

    auto start = std::chrono::steady_clock::now();
    ConvertJob job(settings, std::move(*keys));
    std::thread worker([&job] { job.Run(); });
    showProgress(job);
    worker.join();
    double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    report(job, seconds);
    if (!job.outputs().empty())
        std::printf("%s\n", playHint(settings).c_str());
    return job.failures().empty() ? 0 : 1;
}
