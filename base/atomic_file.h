// A file that appears under its name only when it is complete: it is
// written to a temporary file beside its place and renamed over it on
// commit; dropped without commit, the temporary file is removed and the old
// file stays as it was.
#pragma once

#include <cstdio>
#include <memory>
#include <string>
#include <string_view>

namespace marlit {

class AtomicFile {
  public:
    // Opens the temporary file for writing and reading; none on failure.
    static std::unique_ptr<AtomicFile> create(std::string_view systemPath);
    // The same for a host path (UTF-8, "/").
    static std::unique_ptr<AtomicFile> createHost(const std::string& hostPath);
    ~AtomicFile();
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    FILE* stream() { return stream_; }
    // Flushes, syncs and renames into place. False when any write failed.
    bool commit();
    const std::string& finalPath() const { return finalPath_; }

  private:
    AtomicFile(std::string finalPath, std::string tempPath, FILE* stream);

    std::string finalPath_;
    std::string tempPath_;
    FILE* stream_;
    bool committed_ = false;
};

}  // namespace marlit
