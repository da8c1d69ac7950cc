#include "tools/samplegame/voice.h"

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "base/files.h"
#include "converter/wave_file.h"

extern char** environ;

namespace marlit::sample {

namespace {

// Runs espeak-ng writing a WAVE file; the exit status.
int runEspeak(const std::vector<std::string>& args) {
    std::vector<char*> argv;
    for (const auto& a : args)
        argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    pid_t pid = 0;
    if (posix_spawnp(&pid, "espeak-ng", nullptr, nullptr, argv.data(), environ) != 0)
        return -1;
    int status = 0;
    if (waitpid(pid, &status, 0) < 0)
        return -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace

Speaker speakerOf(int heroine) {
    // 灯: bright and quick; 小夜: lower and slower.
    return heroine == 1 ? Speaker{"ja+f2", 52, 140} : Speaker{"ja+f3", 72, 165};
}

std::optional<PcmAudio> speak(const std::string& kana, const Speaker& speaker, std::string* error) {
    char pattern[] = "/tmp/mksample-voice-XXXXXX";
    const int fd = mkstemp(pattern);
    if (fd < 0) {
        if (error)
            *error = "cannot make a temporary file in /tmp for the speech synthesizer";
        return std::nullopt;
    }
    close(fd);
    const std::string wav = pattern;
    const int status =
        runEspeak({"espeak-ng", "-v", speaker.variant, "-p", std::to_string(speaker.pitch), "-s",
                   std::to_string(speaker.speed), "-w", wav, "--", kana});
    auto bytes = readHostFile(wav);
    std::remove(wav.c_str());
    if (status != 0 || !bytes) {
        if (error)
            *error = "espeak-ng could not speak the line '" + kana +
                     "' (install Debian's espeak-ng: scripts/bootstrap)";
        return std::nullopt;
    }
    std::string why;
    auto audio = decodeWave(*bytes, &why);
    if (!audio || audio->format.channels != 1) {
        if (error)
            *error = "espeak-ng gave no mono WAVE for '" + kana + "': " + why;
        return std::nullopt;
    }
    // Trim the silence around the line, keeping a twentieth of a second.
    auto& s = audio->samples;
    const auto loud = [](int16_t v) { return std::abs(v) > 300; };
    const auto first = std::find_if(s.begin(), s.end(), loud);
    const auto last = std::find_if(s.rbegin(), s.rend(), loud);
    if (first == s.end()) {
        if (error)
            *error = "espeak-ng spoke nothing audible for '" + kana + "'";
        return std::nullopt;
    }
    const size_t keep = audio->format.rate / 20;
    const auto from = static_cast<size_t>(first - s.begin());
    const size_t begin = from > keep ? from - keep : 0;
    const size_t end = std::min(s.size(), static_cast<size_t>(s.rend() - last) + keep);
    std::vector<int16_t> trimmed(s.begin() + begin, s.begin() + end);
    int peak = 1;
    for (int16_t v : trimmed)
        peak = std::max(peak, std::abs(static_cast<int>(v)));
    const double gain = 0.8 * 32767 / peak;
    for (int16_t& v : trimmed)
        v = static_cast<int16_t>(std::lround(v * gain));
    audio->samples = std::move(trimmed);
    return audio;
}

}  // namespace marlit::sample
