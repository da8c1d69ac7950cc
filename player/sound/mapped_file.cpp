#include "player/sound/mapped_file.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>

#include "base/files.h"

namespace marlit {

bool MappedFile::open(std::string_view systemPath) {
    close();
    std::string path = hostPath(systemPath);
    // A FIFO or a device named like a sound would block the player.
    int fd = openRegularFile(path);
    if (fd < 0)
        return false;
    struct stat info {};
    bool ok = ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && info.st_size > 0;
    if (ok) {
        void* view =
            ::mmap(nullptr, static_cast<size_t>(info.st_size), PROT_READ, MAP_PRIVATE, fd, 0);
        if (view != MAP_FAILED) {
            data_ = static_cast<const uint8_t*>(view);
            size_ = static_cast<size_t>(info.st_size);
        } else {
            ok = false;
        }
    }
    ::close(fd);
    return ok;
}

void MappedFile::close() {
    if (data_)
        ::munmap(const_cast<uint8_t*>(data_), size_);
    data_ = nullptr;
    size_ = 0;
}

}  // namespace marlit
