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
#include "converter/convert_job.h"
#include "converter/key_list.h"
#include "converter/platform/mp3_encoder.h"

namespace fs = std::filesystem;
using namespace marlit;

namespace {

// The game folder holds one of its two program files.
bool isGameFolder(const std::string& folder) {
    std::error_code ec;
    for (const char* program : {"ZERIVAD.exe", "ZUDOVI.exe"}) {
        if (fs::is_regular_file(resolveHostCase((fs::path(folder) / program).string()), ec))
            return true;
    }
    return false;
}

std::string statusLine(const ConvertJob& job) {
    char line[512];
    std::snprintf(line, sizeof line, "変換データ数：%d / %d (%s)", job.done(), job.total(),
                  job.currentName().c_str());
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
        std::fflush(stdout);
    }
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
    std::string error;
    auto options = parseConverterOptions(argc, argv, error);
    if (!options) {
        std::fprintf(stderr, "convMarlitPC: %s\nRun 'convMarlitPC --help' for the options.\n",
                     error.c_str());
        return 2;
    }
    if (options->help) {
        std::fputs(kConverterUsage, stdout);
        return 0;
    }
    if (!options->version && wantsWindow(*options, argc, argv))
        return runWindow(*options, argc, argv);
    auto version = mp3EncoderVersion();
    if (options->version) {
        if (version) {
            std::printf("LAME : %s\n", version->c_str());
            return 0;
        }
        std::printf("LAME : not available (libmp3lame.so.0 cannot be loaded)\n");
        return 1;
    }
    ConvertSettings& settings = options->settings;
    if (!options->haveSource) {
        std::fputs(kConverterUsage, stderr);
        return 2;
    }
    if ((settings.sound || settings.voice) && !version) {
        std::fprintf(stderr, "<< libmp3lame >>が見つかりませんでした。\n");
        return 2;
    }
    if (!isGameFolder(settings.sourceFolder)) {
        std::fprintf(stderr, "『Ｈ．Ｘ．Ｒ．Ｔ．』のフォルダを指定して下さい。\n");
        return 2;
    }
    std::string keyError;
    auto keys = KeyList::load(defaultKeyListPath(), &keyError);
    if (!keys) {
        std::fprintf(stderr, "convMarlitPC: the key picture list is missing: %s\n",
                     keyError.c_str());
        return 2;
    }
    std::error_code ec;
    fs::create_directories(settings.outputFolder, ec);
    if (!fs::is_directory(settings.outputFolder, ec)) {
        std::fprintf(stderr, "convMarlitPC: cannot create the output folder %s\n",
                     settings.outputFolder.c_str());
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
    return job.failures().empty() ? 0 : 1;
}
