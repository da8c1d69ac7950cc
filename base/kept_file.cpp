#include "base/kept_file.h"

#include <cstdio>

#include "base/atomic_file.h"
#include "base/files.h"

namespace marlit {

bool writeKeptFile(const std::string& hostPath, std::span<const uint8_t> data, std::string* why) {
    // What a writer killed outright left behind.
    AtomicFile::removeStale(hostPath);
    AtomicFile::removeStale(backupPathOf(hostPath));
    auto file = AtomicFile::createHost(hostPath, why);
    if (!file)
        return false;
    if (!data.empty() && std::fwrite(data.data(), 1, data.size(), file->stream()) != data.size()) {
        if (why)
            *why = lastSystemError();
        return false;
    }
    if (!file->commitKeepingPrevious()) {
        if (why)
            *why = file->error();
        return false;
    }
    return true;
}

std::optional<KeptFile> readKeptFile(const std::string& hostPath, const KeptFileCheck& whole,
                                     std::string* why) {
    std::string mainWhy;
    if (auto data = readHostFile(hostPath, 0, &mainWhy)) {
        if (!whole || whole(*data))
            return KeptFile{std::move(*data), false};
        mainWhy = "the file is damaged";
    }
    if (auto data = readHostFile(backupPathOf(hostPath))) {
        if (!whole || whole(*data))
            return KeptFile{std::move(*data), true};
    }
    if (why)
        *why = mainWhy;
    return std::nullopt;
}

}  // namespace marlit
