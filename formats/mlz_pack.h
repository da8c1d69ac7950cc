// The pack archive (.mlz): a 16-byte header, an index of 84-byte records and
// the entries' data back to back. All integers are 32-bit little-endian.
//
//   header  0 magic "RLZ2" (or "RLZ3")   4 entry count N
//           8 file size (16 + 84 N + all stored sizes)   12 reserved 0
//   record  0 name, 64 bytes, Shift-JIS, NUL-terminated
//          64 stored size   68 expanded size   72 method (0 stored, 1 LZSS)
//          76 data offset, counted from the end of the index   80 reserved 0
//
// The functions here work on bytes in memory and trust none of them; the
// file side is MlzReader and MlzPackWriter.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace marlit {

inline constexpr size_t kMlzHeaderSize = 16;
inline constexpr size_t kMlzRecordSize = 84;
inline constexpr size_t kMlzNameSize = 64;
// An expanded entry larger than this is refused rather than allocated.
inline constexpr uint32_t kMlzMaxExpandedSize = 64u << 20;

enum MlzMethod : uint32_t { kMlzStored = 0, kMlzLzss = 1 };

struct MlzEntry {
    // Shift-JIS, at most 63 bytes when written; read up to its NUL (or all
    // 64 bytes of a field without one).
    std::string name;
    uint32_t storedSize = 0;
    uint32_t expandedSize = 0;
    uint32_t method = kMlzStored;
    uint32_t dataOffset = 0;
};

struct MlzPack {
    // The magic's version character: '2' or '3'.
    char version = '2';
    // The header's file size field, and the length of the file the index
    // was read from. They differ when a pack was cut short or grew.
    uint32_t fileSize = 0;
    uint64_t fileLength = 0;
    std::vector<MlzEntry> entries;

    // File offset of the data region.
    uint64_t dataStart() const { return kMlzHeaderSize + kMlzRecordSize * entries.size(); }
};

// The entry count of a 16-byte header, when the magic is right and the
// header and index of that many records fit into fileLength bytes.
std::optional<uint32_t> parseMlzHeader(std::span<const uint8_t> header, uint64_t fileLength);

// The pack described by the header and index at the start of `bytes` (more
// may follow), for a file of fileLength bytes. None when the header is bad,
// the index does not fit into the file, or the index does not describe its
// own data: header, index and stored sizes must add up to the header's file
// size (a pack cut short or grown since) or to fileLength (a pack whose size
// field is wrong). Records whose data runs past the end are kept, so that a
// truncated pack still serves its intact entries; see mlzEntryInFile.
std::optional<MlzPack> parseMlzIndex(std::span<const uint8_t> bytes, uint64_t fileLength);

// Whether the record's stored bytes lie inside the file (pack.fileLength).
bool mlzEntryInFile(const MlzPack& pack, const MlzEntry& entry);

// The first record whose name equals `name` under the name equality.
const MlzEntry* findMlzEntry(const MlzPack& pack, std::string_view name);

// The entry's whole contents from its stored bytes: a copy for method 0,
// the expansion for method 1 (zeros where the stream ends early). None for
// an unknown method, a stored span of the wrong size or an expanded size
// above kMlzMaxExpandedSize.
std::optional<std::vector<uint8_t>> decodeMlzEntry(const MlzEntry& entry,
                                                   std::span<const uint8_t> stored);

// Header and index bytes for these records (names cut to 63 bytes).
std::vector<uint8_t> encodeMlzIndex(std::span<const MlzEntry> entries, uint32_t fileSize);

}  // namespace marlit
