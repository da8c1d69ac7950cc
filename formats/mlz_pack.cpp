#include "formats/mlz_pack.h"

#include <cstring>

#include "base/bytes.h"
#include "base/sjis.h"
#include "formats/lzss.h"

namespace marlit {

std::optional<uint32_t> parseMlzHeader(std::span<const uint8_t> header, uint64_t fileLength) {
    if (header.size() < kMlzHeaderSize)
        return std::nullopt;
    if (std::memcmp(header.data(), "RLZ", 3) != 0 || (header[3] != '2' && header[3] != '3')) {
        return std::nullopt;
    }
    uint32_t count = loadU32(header.data() + 4);
    if (kMlzHeaderSize + uint64_t{kMlzRecordSize} * count > fileLength)
        return std::nullopt;
    return count;
}

std::optional<MlzPack> parseMlzIndex(std::span<const uint8_t> bytes, uint64_t fileLength) {
    auto count = parseMlzHeader(bytes, fileLength);
    if (!count)
        return std::nullopt;
    ByteReader in(bytes);
    in.skip(3);
    MlzPack pack;
    pack.version = static_cast<char>(in.u8());
    in.u32();
    pack.fileSize = in.u32();
    pack.fileLength = fileLength;
    in.u32();
    if (in.remaining() < uint64_t{kMlzRecordSize} * *count)
        return std::nullopt;
    uint64_t storedTotal = 0;
    pack.entries.resize(*count);
    for (MlzEntry& e : pack.entries) {
        e.name = in.fixedText(kMlzNameSize);
        e.storedSize = in.u32();
        e.expandedSize = in.u32();
        e.method = in.u32();
        e.dataOffset = in.u32();
        in.u32();
        storedTotal += e.storedSize;
    }
    // An index with records too many or too few does not add up to either
    // length; its entries would be read from the wrong place.
    const uint64_t described = pack.dataStart() + storedTotal;
    if (!in.ok() || (described != pack.fileSize && described != fileLength))
        return std::nullopt;
    return pack;
}

bool mlzEntryInFile(const MlzPack& pack, const MlzEntry& entry) {
    return pack.dataStart() + entry.dataOffset + entry.storedSize <= pack.fileLength;
}

const MlzEntry* findMlzEntry(const MlzPack& pack, std::string_view name) {
    for (const MlzEntry& e : pack.entries) {
        if (sameText(e.name, name))
            return &e;
    }
    return nullptr;
}

std::optional<std::vector<uint8_t>> decodeMlzEntry(const MlzEntry& entry,
                                                   std::span<const uint8_t> stored) {
    if (stored.size() != entry.storedSize)
        return std::nullopt;
    if (entry.method == kMlzStored)
        return std::vector<uint8_t>(stored.begin(), stored.end());
    if (entry.method != kMlzLzss || entry.expandedSize > kMlzMaxExpandedSize)
        return std::nullopt;
    // Zero-filled, so a stream that ends early leaves zeros, never old memory.
    std::vector<uint8_t> out(entry.expandedSize);
    LzssExpand(stored, out);
    return out;
}

std::vector<uint8_t> encodeMlzIndex(std::span<const MlzEntry> entries, uint32_t fileSize) {
    ByteWriter w;
    w.bytes("RLZ2", 4);
    w.u32(static_cast<uint32_t>(entries.size()));
    w.u32(fileSize);
    w.u32(0);
    for (const MlzEntry& e : entries) {
        w.fixedText(e.name, kMlzNameSize);
        w.u32(e.storedSize);
        w.u32(e.expandedSize);
        w.u32(e.method);
        w.u32(e.dataOffset);
        w.u32(0);
    }
    return w.take();
}

}  // namespace marlit
