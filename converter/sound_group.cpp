#include "converter/sound_group.h"

#include <optional>

#include "base/files.h"
#include "converter/ordered_work.h"

namespace marlit {

namespace {

std::string baseName(const std::string& path) {
    const size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

struct SoundResult {
    std::optional<std::vector<uint8_t>> mp3;
    std::string why;
};

}  // namespace

std::string mp3FileName(const std::string& sourcePath) {
    std::string name = baseName(sourcePath);
    const size_t dot = name.find_last_of('.');
    return (dot == std::string::npos ? name : name.substr(0, dot)) + ".mp3";
}

std::vector<ConvertFailure> convertSoundGroup(std::span<const std::string> sourcePaths,
                                              const std::string& outputFolder,
                                              const Mp3Settings& settings, int jobs,
                                              const GroupProgress& progress) {
    progress.total += static_cast<int>(sourcePaths.size());
    std::vector<ConvertFailure> failures;
    runOrdered<SoundResult>(
        sourcePaths.size(), jobs,
        [&](size_t i) {
            const std::string& path = sourcePaths[i];
            progress.started(baseName(path));
            SoundResult result;
            std::string cause;
            auto bytes = readHostFile(path, 0, &cause);
            if (!bytes) {
                result.why = "the file cannot be read: " + cause;
                return result;
            }
            result.mp3 = ConvertSound(*bytes, settings, &result.why);
            return result;
        },
        [&](size_t i, SoundResult&& result) {
            const std::string& path = sourcePaths[i];
            if (result.mp3) {
                const std::string out = outputFolder + "/" + mp3FileName(path);
                std::string cause;
                if (!writeHostFileAtomic(out, *result.mp3, &cause)) {
                    result.why = "the MP3 file cannot be written: " + cause;
                    result.mp3.reset();
                }
            }
            if (!result.mp3)
                failures.push_back({baseName(path), result.why});
            ++progress.done;
        },
        progress.cancel);
    return failures;
}

}  // namespace marlit
