// The player's pack reader. It keeps the index of the last pack it opened,
// so repeated lookups in one pack read the file only for the entry data;
// asking for another pack replaces the cached index. No file stays open
// between calls. Each user of packs keeps its own reader; one reader is not
// shared between threads.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "formats/mlz_pack.h"

namespace marlit {

class MlzReader {
  public:
    // The index of the pack at packPath (a system path, "\" separators),
    // or none when it cannot be read or is not a valid pack; a failed open
    // keeps the index cached before. The same path (name equality) reuses
    // the cache while the file's size and time are unchanged. The pointer
    // stays valid until the next call.
    const MlzPack* OpenIndex(std::string_view packPath);

    // The whole entry named `name` (name equality; the first such record
    // wins), expanded; none when the pack, the entry or its data is missing
    // or bad. An entry of size 0 gives an empty buffer.
    std::optional<std::vector<uint8_t>> ReadEntry(std::string_view packPath, std::string_view name);

    // One record of the pack that OpenIndex(packPath) gave, read and expanded.
    std::optional<std::vector<uint8_t>> readRecord(std::string_view packPath,
                                                   const MlzEntry& entry);

    // Forgets the cached index.
    void close();

  private:
    struct Stamp {
        int64_t size = -1;
        int64_t time = 0;
        bool operator==(const Stamp&) const = default;
    };
    static Stamp stampOf(const std::string& hostPath);
    static std::optional<std::vector<uint8_t>> readData(std::string_view packPath,
                                                        const MlzPack& pack, const MlzEntry& entry);

    std::string path_;
    Stamp stamp_;
    std::optional<MlzPack> pack_;
};

}  // namespace marlit
