#include "base/files.h"

#include <dirent.h>
#include <sys/stat.h>

#include <cstdio>
#include <memory>

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
    File f(std::fopen(hostPath(path).c_str(), "rb"));
    if (!f || !seekTo(f.get(), origin, offset))
        return 0;
    return std::fread(buffer, 1, count, f.get());
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

std::optional<std::vector<uint8_t>> readHostFile(const std::string& host, size_t extra) {
    File f(std::fopen(host.c_str(), "rb"));
    if (!f)
        return std::nullopt;
    struct stat st;
    if (::fstat(::fileno(f.get()), &st) != 0 || !S_ISREG(st.st_mode))
        return std::nullopt;
    auto size = static_cast<size_t>(st.st_size);
    std::vector<uint8_t> data(size + extra, 0);
    if (std::fread(data.data(), 1, size, f.get()) != size)
        return std::nullopt;
    return data;
}

bool writeWholeAtomic(std::string_view path, std::span<const uint8_t> data) {
    return writeHostFileAtomic(hostPath(path), data);
}

bool writeHostFileAtomic(const std::string& host, std::span<const uint8_t> data) {
    auto file = AtomicFile::createHost(host);
    if (!file)
        return false;
    if (!data.empty() && std::fwrite(data.data(), 1, data.size(), file->stream()) != data.size()) {
        return false;
    }
    return file->commit();
}

}  // namespace marlit
