#include "base/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>

#include "base/files.h"

namespace marlit {

std::unique_ptr<AtomicFile> AtomicFile::create(std::string_view systemPath) {
    return createHost(hostPath(systemPath));
}

std::unique_ptr<AtomicFile> AtomicFile::createHost(const std::string& finalPath) {
    std::string pattern = finalPath + ".tmp-XXXXXX";
    int fd = ::mkstemp(pattern.data());
    if (fd < 0)
        return nullptr;
    ::fchmod(fd, 0644);
    FILE* stream = ::fdopen(fd, "w+b");
    if (!stream) {
        ::close(fd);
        ::unlink(pattern.c_str());
        return nullptr;
    }
    return std::unique_ptr<AtomicFile>(new AtomicFile(finalPath, pattern, stream));
}

AtomicFile::AtomicFile(std::string finalPath, std::string tempPath, FILE* stream)
    : finalPath_(std::move(finalPath)), tempPath_(std::move(tempPath)), stream_(stream) {}

AtomicFile::~AtomicFile() {
    if (stream_)
        std::fclose(stream_);
    if (!committed_)
        ::unlink(tempPath_.c_str());
}

bool AtomicFile::commit() {
    if (!stream_ || committed_)
        return false;
    bool ok = std::fflush(stream_) == 0 && !std::ferror(stream_) && ::fsync(::fileno(stream_)) == 0;
    ok = std::fclose(stream_) == 0 && ok;
    stream_ = nullptr;
    if (!ok)
        return false;
    if (std::rename(tempPath_.c_str(), finalPath_.c_str()) != 0)
        return false;
    committed_ = true;
    return true;
}

}  // namespace marlit
