#include "base/files.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <memory>
#include <system_error>

#include "base/atomic_file.h"
#include "base/encoding.h"

namespace marlit {

namespace {

bool exists(const std::string& host) {
    struct stat st;
    return ::stat(host.c_str(), &st) == 0;
}

bool sameIgnoringAsciiCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        auto x = static_cast<unsigned char>(a[i]);
        auto y = static_cast<unsigned char>(b[i]);
        if (x >= 'a' && x <= 'z')
            x -= 32;
        if (y >= 'a' && y <= 'z')
            y -= 32;
        if (x != y)
            return false;
    }
    return true;
}

// The entry of `dir` whose name equals `name` but for ASCII case; the exact
// spelling wins when several match.
std::optional<std::string> findEntry(const std::string& dir, std::string_view name) {
    std::unique_ptr<DIR, int (*)(DIR*)> d(::opendir(dir.empty() ? "." : dir.c_str()), ::closedir);
    if (!d)
        return std::nullopt;
    std::optional<std::string> found;
    while (dirent* e = ::readdir(d.get())) {
        std::string_view entry(e->d_name);
        if (entry == name)
            return std::string(entry);
        if (!found && sameIgnoringAsciiCase(entry, name))
            found = std::string(entry);
    }
    return found;
}

void setWhy(std::string* why, std::string text) {
    if (why)
        *why = std::move(text);
}

std::string kindOf(mode_t mode) {
    if (S_ISDIR(mode))
        return "a folder";
    if (S_ISFIFO(mode))
        return "a FIFO";
    if (S_ISSOCK(mode))
        return "a socket";
    return "a device";
}

// Reads until count bytes or the end; the bytes read. errno is 0 when the
// end came first.
size_t readFully(int fd, uint8_t* out, size_t count) {
    size_t got = 0;
    errno = 0;
    while (got < count) {
        const ssize_t n = ::read(fd, out + got, count - got);
        if (n < 0 && errno == EINTR) {
            errno = 0;
            continue;
        }
        if (n <= 0)
            break;
        got += static_cast<size_t>(n);
    }
    return got;
}

struct FileCloser {
    void operator()(FILE* f) const { std::fclose(f); }
};
using File = std::unique_ptr<FILE, FileCloser>;

bool seekTo(FILE* f, SeekOrigin origin, int64_t offset) {
    int whence = origin == SeekOrigin::Begin     ? SEEK_SET
                 : origin == SeekOrigin::Current ? SEEK_CUR
                                                 : SEEK_END;
    return ::fseeko(f, static_cast<off_t>(offset), whence) == 0;
}

}  // namespace

std::string hostPath(std::string_view systemPath) {
    std::string path = sjisToUtf8(systemPath);
    for (char& c : path) {
        if (c == '\\')
            c = '/';
    }
    return resolveHostCase(path);
}

std::string resolveHostCase(const std::string& path) {
    if (path.empty() || exists(path))
        return path;

    std::string resolved;
    size_t pos = 0;
    if (path[0] == '/') {
        resolved = "/";
        pos = 1;
    }
    bool resolving = true;
    while (pos <= path.size()) {
        size_t slash = path.find('/', pos);
        if (slash == std::string::npos)
            slash = path.size();
        std::string part = path.substr(pos, slash - pos);
        pos = slash + 1;
        if (part.empty())
            continue;
        std::string base = resolved;
        if (!base.empty() && base.back() != '/')
            base.push_back('/');
        if (resolving && part != "." && part != ".." && !exists(base + part)) {
            if (auto match = findEntry(resolved, part)) {
                part = *match;
            } else {
                resolving = false;
            }
        }
        resolved = base + part;
    }
    return resolved;
}

int64_t fileSize(std::string_view path) {
    struct stat st;
    if (::stat(hostPath(path).c_str(), &st) != 0 || !S_ISREG(st.st_mode))
        return -1;
    return static_cast<int64_t>(st.st_size);
}

bool fileExists(std::string_view path) {
    struct stat st;
    return ::stat(hostPath(path).c_str(), &st) == 0;
}

size_t readPart(std::string_view path, void* buffer, SeekOrigin origin, int64_t offset,
                size_t count) {
    const int fd = openRegularFile(hostPath(path));
    if (fd < 0)
        return 0;
    const off_t at =
        ::lseek(fd, static_cast<off_t>(offset), origin == SeekOrigin::End ? SEEK_END : SEEK_SET);
    const size_t got = at < 0 ? 0 : readFully(fd, static_cast<uint8_t*>(buffer), count);
    ::close(fd);
    return got;
}

size_t writePart(std::string_view path, const void* buffer, SeekOrigin origin, int64_t offset,
                 size_t count, bool create) {
    std::string host = hostPath(path);
    File f(std::fopen(host.c_str(), create ? "wb" : "r+b"));
    if (!f && !create)
        f.reset(std::fopen(host.c_str(), "w+b"));
    if (!f || !seekTo(f.get(), origin, offset))
        return 0;
    size_t written = std::fwrite(buffer, 1, count, f.get());
    if (std::fflush(f.get()) != 0)
        return 0;
    return written;
}

std::optional<std::vector<uint8_t>> readWhole(std::string_view path, size_t extra) {
    return readHostFile(hostPath(path), extra);
}

std::optional<std::vector<uint8_t>> readHostFile(const std::string& host, size_t extra,
                                                 std::string* why) {
    const int fd = openRegularFile(host, why);
    if (fd < 0)
        return std::nullopt;
    struct stat st;
    std::optional<std::vector<uint8_t>> data;
    if (::fstat(fd, &st) != 0) {
        setWhy(why, lastSystemError());
    } else {
        auto size = static_cast<size_t>(st.st_size);
        data.emplace(size + extra, 0);
        if (readFully(fd, data->data(), size) != size) {
            setWhy(why, errno ? lastSystemError() : std::string("the file got shorter while read"));
            data.reset();
        }
    }
    ::close(fd);
    return data;
}

bool writeWholeAtomic(std::string_view path, std::span<const uint8_t> data) {
    return writeHostFileAtomic(hostPath(path), data);
}

bool writeHostFileAtomic(const std::string& host, std::span<const uint8_t> data, std::string* why) {
    auto file = AtomicFile::createHost(host, why);
    if (!file)
        return false;
    if (!data.empty() && std::fwrite(data.data(), 1, data.size(), file->stream()) != data.size()) {
        setWhy(why, lastSystemError());
        return false;
    }
    if (!file->commit()) {
        setWhy(why, file->error());
        return false;
    }
    return true;
}

std::string lastSystemError() {
    return std::generic_category().message(errno);
}

int openRegularFile(const std::string& host, std::string* why) {
    // Not blocking in the open itself: a FIFO without a writer would.
    const int fd = ::open(host.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        setWhy(why, lastSystemError());
        return -1;
    }
    struct stat st;
    if (::fstat(fd, &st) != 0) {
        setWhy(why, lastSystemError());
        ::close(fd);
        return -1;
    }
    if (!S_ISREG(st.st_mode)) {
        setWhy(why, "it is " + kindOf(st.st_mode) + ", not a regular file");
        ::close(fd);
        return -1;
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    return fd;
}

}  // namespace marlit
