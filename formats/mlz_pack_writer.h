// Writes a pack: a placeholder header and index, the entries' data appended
// one by one, then the final header and index. The pack is built in a
// temporary file beside its place and renamed over it only by finish(), so
// an interrupted conversion never leaves a pack whose index does not
// describe its data (an older pack stays as it was). The temporary file goes
// with the program when it is interrupted, and one left by a run that was
// killed outright is removed by the next open of the same pack.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "formats/mlz_pack.h"

namespace marlit {

class AtomicFile;

class MlzPackWriter {
  public:
    MlzPackWriter();
    ~MlzPackWriter();
    MlzPackWriter(const MlzPackWriter&) = delete;
    MlzPackWriter& operator=(const MlzPackWriter&) = delete;

    // Starts a new pack at path (a system path). expectedCount reserves
    // the index for that many records, so that no data has to move when
    // exactly that many are added; any count works. False when the file
    // cannot be created; error() says why.
    bool open(std::string_view path, size_t expectedCount = 0);
    // The same for a host path (UTF-8, "/"), as a user names it.
    bool openHost(const std::string& hostPath, size_t expectedCount = 0);

    // Appends an entry: method 1 compresses with LZSS, method 0 stores the
    // bytes as they are; empty bytes give sizes 0. False (and nothing
    // added) for a name over 63 bytes, another method, a pack that would
    // pass 4 GiB, or a failed write.
    bool add(std::string_view name, std::span<const uint8_t> bytes, uint32_t method = kMlzLzss);
    // A record with sizes 0, method 0: a name that yields an empty buffer.
    bool addEmpty(std::string_view name);
    // Appends an entry already compressed with LZSS (method 1), so that
    // compressing can run on other threads while records go in in order.
    bool addCompressed(std::string_view name, std::span<const uint8_t> stored,
                       uint32_t expandedSize);

    // Writes the final header and index and puts the pack in place. False
    // when anything failed since open; then no pack is written.
    bool finish();

    const std::vector<MlzEntry>& entries() const { return entries_; }
    // The system's reason for the first failed write ("No space left on
    // device"), or what else went wrong; empty while all is well.
    const std::string& error() const { return error_; }

  private:
    bool start(const std::string& hostPath, size_t expectedCount);
    bool fail(std::string why);
    bool append(MlzEntry entry, std::span<const uint8_t> data);
    bool moveData(uint64_t from, uint64_t to);

    std::unique_ptr<AtomicFile> file_;
    std::vector<MlzEntry> entries_;
    uint64_t dataBase_ = 0;
    uint64_t dataSize_ = 0;
    bool failed_ = false;
    std::string error_;
};

}  // namespace marlit
