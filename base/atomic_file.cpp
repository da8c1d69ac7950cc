#include "base/atomic_file.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/random.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdio>

#include "base/files.h"
#include "base/interrupt_cleanup.h"

namespace marlit {

namespace {

constexpr std::string_view kTempInfix = ".tmp-";
constexpr size_t kTempSuffixSize = 6;  // letters and digits after the infix
constexpr int kNameAttempts = 100;

// A random ending for a temporary name: six letters or digits.
std::string tempSuffix() {
    static constexpr std::string_view kSigns =
        "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
    unsigned char bytes[kTempSuffixSize] = {};
    if (::getrandom(bytes, sizeof bytes, 0) != static_cast<ssize_t>(sizeof bytes)) {
        // No random bytes: the clock, the process and a count instead.
        static std::atomic<uint64_t> count{0};
        uint64_t v =
            static_cast<uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count()) ^
            (static_cast<uint64_t>(::getpid()) << 32) ^ (count++ * 0x9E3779B97F4A7C15u);
        for (unsigned char& b : bytes) {
            b = static_cast<unsigned char>(v);
            v = v * 6364136223846793005u + 1442695040888963407u;
        }
    }
    std::string suffix(kTempSuffixSize, '0');
    for (size_t i = 0; i < kTempSuffixSize; ++i)
        suffix[i] = kSigns[bytes[i] % kSigns.size()];
    return suffix;
}

void setWhy(std::string* why, std::string text) {
    if (why)
        *why = std::move(text);
}

bool isTempName(std::string_view name, std::string_view finalName) {
    if (name.size() != finalName.size() + kTempInfix.size() + kTempSuffixSize ||
        !name.starts_with(finalName) ||
        name.substr(finalName.size(), kTempInfix.size()) != kTempInfix) {
        return false;
    }
    for (char c : name.substr(name.size() - kTempSuffixSize)) {
        const bool alnum =
            (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
        if (!alnum)
            return false;
    }
    return true;
}

// Makes the entry of a renamed or linked file lasting.
void syncFolderOf(const std::string& path) {
    const size_t slash = path.rfind('/');
    const std::string dir = slash == std::string::npos ? "." : path.substr(0, slash + 1);
    const int fd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    ::fsync(fd);
    ::close(fd);
}

// Points NAME.bak at the file NAME holds now: a new link under a temporary
// name, renamed over the old backup, so that there is a backup at every
// instant once there has been one. `suffix` makes the temporary name this
// writer's own.
bool keepAsBackup(const std::string& path, std::string_view suffix, std::string* why) {
    struct stat st;
    if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode))
        return true;  // nothing to keep yet
    const std::string backup = backupPathOf(path);
    const std::string link = backup + std::string(kTempInfix) + std::string(suffix);
    if (::link(path.c_str(), link.c_str()) == 0) {
        if (std::rename(link.c_str(), backup.c_str()) == 0)
            return true;
        const int err = errno;
        ::unlink(link.c_str());
        // Removed under us by a cleaner of stale files: no new backup now.
        if (err == ENOENT)
            return true;
        errno = err;
        setWhy(why, "cannot replace " + backup + ": " + lastSystemError());
        return false;
    }
    // No hard links here (a memory card's file system): a copy instead.
    std::string readWhy;
    auto old = readHostFile(path, 0, &readWhy);
    if (!old) {
        setWhy(why, "cannot read " + path + " to keep it as " + backup + ": " + readWhy);
        return false;
    }
    std::string writeWhy;
    if (!writeHostFileAtomic(backup, *old, &writeWhy)) {
        setWhy(why, "cannot write " + backup + ": " + writeWhy);
        return false;
    }
    return true;
}

}  // namespace

std::string backupPathOf(const std::string& hostPath) {
    return hostPath + ".bak";
}

std::unique_ptr<AtomicFile> AtomicFile::create(std::string_view systemPath, std::string* why) {
    return createHost(hostPath(systemPath), why);
}

std::unique_ptr<AtomicFile> AtomicFile::createHost(const std::string& finalPath, std::string* why) {
    // A file that a cleaner of stale files removed between its creation
    // and its lock has no link left: then another one is made.
    prepareInterruptCleanup();
    int removedUnderUs = 0;
    for (int attempt = 0; attempt < kNameAttempts && removedUnderUs < 3; ++attempt) {
        // The name is noted for removal on an interrupt before the file is
        // made, so that no interrupt can leave it behind.
        std::string pattern = finalPath + std::string(kTempInfix) + tempSuffix();
        const int ticket = rememberForInterruptCleanup(pattern);
        int fd = ::open(pattern.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (fd < 0) {
            const int err = errno;
            forgetInterruptCleanup(ticket);
            if (err == EEXIST)
                continue;
            errno = err;
            setWhy(why, "cannot create a file beside " + finalPath + ": " + lastSystemError());
            return nullptr;
        }
        struct stat st;
        if (::flock(fd, LOCK_EX) != 0 || ::fstat(fd, &st) != 0 || st.st_nlink == 0) {
            forgetInterruptCleanup(ticket);
            ::close(fd);
            ++removedUnderUs;
            continue;
        }
        ::fchmod(fd, 0644);
        // The lock belongs to the open file, which this second descriptor
        // keeps open until the file is renamed or removed.
        const int lockFd = ::fcntl(fd, F_DUPFD_CLOEXEC, 0);
        FILE* stream = lockFd < 0 ? nullptr : ::fdopen(fd, "w+b");
        if (!stream) {
            setWhy(why, "cannot open " + pattern + ": " + lastSystemError());
            ::unlink(pattern.c_str());
            forgetInterruptCleanup(ticket);
            ::close(fd);
            if (lockFd >= 0)
                ::close(lockFd);
            return nullptr;
        }
        auto file = std::unique_ptr<AtomicFile>(new AtomicFile(finalPath, pattern, stream, lockFd));
        file->cleanupTicket_ = ticket;
        return file;
    }
    setWhy(why, "cannot create a file beside " + finalPath +
                    (removedUnderUs >= 3 ? ": it was removed as soon as made"
                                         : ": every temporary name tried was taken"));
    return nullptr;
}

int AtomicFile::removeStale(const std::string& finalPath) {
    const size_t slash = finalPath.rfind('/');
    const std::string dir = slash == std::string::npos ? "." : finalPath.substr(0, slash + 1);
    const std::string finalName =
        slash == std::string::npos ? finalPath : finalPath.substr(slash + 1);
    std::unique_ptr<DIR, int (*)(DIR*)> d(::opendir(dir.c_str()), ::closedir);
    if (!d)
        return 0;
    int removed = 0;
    while (const dirent* e = ::readdir(d.get())) {
        if (!isTempName(e->d_name, finalName))
            continue;
        const std::string path = (slash == std::string::npos ? "" : dir) + e->d_name;
        const int fd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0)
            continue;
        struct stat st;
        // A lock that can be taken has no owner left.
        if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && ::flock(fd, LOCK_EX | LOCK_NB) == 0 &&
            ::unlink(path.c_str()) == 0) {
            ++removed;
        }
        ::close(fd);
    }
    return removed;
}

AtomicFile::AtomicFile(std::string finalPath, std::string tempPath, FILE* stream, int lockFd)
    : finalPath_(std::move(finalPath)),
      tempPath_(std::move(tempPath)),
      stream_(stream),
      lockFd_(lockFd),
      cleanupTicket_(-1) {}

AtomicFile::~AtomicFile() {
    if (stream_)
        std::fclose(stream_);
    if (!committed_)
        ::unlink(tempPath_.c_str());
    forgetInterruptCleanup(cleanupTicket_);
    ::close(lockFd_);
}

bool AtomicFile::commit() {
    return finish(false);
}

bool AtomicFile::commitKeepingPrevious() {
    return finish(true);
}

bool AtomicFile::finish(bool keepPrevious) {
    if (!stream_ || committed_)
        return false;
    errno = 0;
    bool ok = std::fflush(stream_) == 0 && ::fsync(::fileno(stream_)) == 0;
    if (!ok || std::ferror(stream_)) {
        error_ = errno ? lastSystemError() : std::string("a write to it failed");
        ok = false;
    }
    if (std::fclose(stream_) != 0 && ok) {
        error_ = lastSystemError();
        ok = false;
    }
    stream_ = nullptr;
    if (!ok)
        return false;
    if (keepPrevious &&
        !keepAsBackup(finalPath_,
                      std::string_view(tempPath_).substr(tempPath_.size() - kTempSuffixSize),
                      &error_))
        return false;
    if (std::rename(tempPath_.c_str(), finalPath_.c_str()) != 0) {
        error_ = "cannot put it in place: " + lastSystemError();
        return false;
    }
    syncFolderOf(finalPath_);
    committed_ = true;
    forgetInterruptCleanup(cleanupTicket_);
    cleanupTicket_ = -1;
    return true;
}

}  // namespace marlit
