// A file that appears under its name only when it is complete: it is
// written to a temporary file beside its place ("NAME.tmp-XXXXXX") and
// renamed over it on commit; dropped without commit, the temporary file is
// removed and the old file stays as it was. The temporary file is also
// removed when the program is interrupted (Ctrl-C, SIGTERM), and it is
// locked while in use, so that a later run can tell one left behind by a
// program that was killed outright from one still being written.
#pragma once

#include <cstdio>
#include <memory>
#include <string>
#include <string_view>

namespace marlit {

// Where commitKeepingPrevious() keeps the file it replaces: NAME.bak.
std::string backupPathOf(const std::string& hostPath);

class AtomicFile {
  public:
    // Opens the temporary file for writing and reading; none on failure,
    // with the system's reason in `why` when it is given.
    static std::unique_ptr<AtomicFile> create(std::string_view systemPath,
                                              std::string* why = nullptr);
    // The same for a host path (UTF-8, "/").
    static std::unique_ptr<AtomicFile> createHost(const std::string& hostPath,
                                                  std::string* why = nullptr);
    // Removes the temporary files of `hostPath` that no running program
    // holds: those left by a run that was killed. The number removed.
    static int removeStale(const std::string& hostPath);
    ~AtomicFile();
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    FILE* stream() { return stream_; }
    // Flushes, syncs and renames into place, then syncs the folder so that
    // the new name survives a power cut. False when any write failed;
    // error() then says why.
    bool commit();
    // The same, keeping the file it replaces as NAME.bak (a hard link, or a
    // copy where the file system has none). At every instant NAME is the
    // old file or the new one.
    bool commitKeepingPrevious();
    const std::string& finalPath() const { return finalPath_; }
    const std::string& tempPath() const { return tempPath_; }
    // The system's reason for the last failure of commit().
    const std::string& error() const { return error_; }

  private:
    bool finish(bool keepPrevious);
    AtomicFile(std::string finalPath, std::string tempPath, FILE* stream, int lockFd);

    std::string finalPath_;
    std::string tempPath_;
    FILE* stream_;
    int lockFd_;  // holds the lock until the file is renamed or removed
    int cleanupTicket_;
    bool committed_ = false;
    std::string error_;
};

}  // namespace marlit
