#include "formats/mlz_reader.h"

#include <sys/stat.h>

#include "base/files.h"
#include "base/sjis.h"

namespace marlit {

MlzReader::Stamp MlzReader::stampOf(const std::string& hostPath) {
    struct stat st;
    if (::stat(hostPath.c_str(), &st) != 0 || !S_ISREG(st.st_mode))
        return {};
    return {static_cast<int64_t>(st.st_size),
            static_cast<int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec};
}

const MlzPack* MlzReader::OpenIndex(std::string_view packPath) {
    std::string host = hostPath(packPath);
    Stamp stamp = stampOf(host);
    if (pack_ && sameText(path_, packPath)) {
        if (stamp == stamp_)
            return &*pack_;
        // Rewritten since it was read: the old index describes other data.
        close();
    }
    if (stamp.size < 0)
        return nullptr;
    auto length = static_cast<uint64_t>(stamp.size);
    uint8_t header[kMlzHeaderSize];
    if (readPart(packPath, header, SeekOrigin::Begin, 0, sizeof(header)) != sizeof(header)) {
        return nullptr;
    }
    auto count = parseMlzHeader(header, length);
    if (!count)
        return nullptr;
    std::vector<uint8_t> block(kMlzHeaderSize + kMlzRecordSize * size_t{*count});
    if (readPart(packPath, block.data(), SeekOrigin::Begin, 0, block.size()) != block.size()) {
        return nullptr;
    }
    auto pack = parseMlzIndex(block, length);
    if (!pack)
        return nullptr;
    path_ = std::string(packPath);
    stamp_ = stamp;
    pack_ = std::move(pack);
    return &*pack_;
}

std::optional<std::vector<uint8_t>> MlzReader::ReadEntry(std::string_view packPath,
                                                         std::string_view name) {
    const MlzPack* pack = OpenIndex(packPath);
    if (!pack)
        return std::nullopt;
    const MlzEntry* entry = findMlzEntry(*pack, name);
    if (!entry)
        return std::nullopt;
    return readData(packPath, *pack, *entry);
}

std::optional<std::vector<uint8_t>> MlzReader::readRecord(std::string_view packPath,
                                                          const MlzEntry& entry) {
    // A copy: opening may replace the index that entry came from.
    MlzEntry wanted = entry;
    const MlzPack* pack = OpenIndex(packPath);
    if (!pack)
        return std::nullopt;
    return readData(packPath, *pack, wanted);
}

std::optional<std::vector<uint8_t>> MlzReader::readData(std::string_view packPath,
                                                        const MlzPack& pack,
                                                        const MlzEntry& entry) {
    // Checked before any allocation the record asks for: a record that runs
    // past the end of a truncated pack gives nothing, its neighbours still do.
    if (!mlzEntryInFile(pack, entry))
        return std::nullopt;
    if (entry.method == kMlzLzss && entry.expandedSize > kMlzMaxExpandedSize)
        return std::nullopt;
    if (entry.method != kMlzStored && entry.method != kMlzLzss)
        return std::nullopt;
    std::vector<uint8_t> stored(entry.storedSize);
    if (!stored.empty() && readPart(packPath, stored.data(), SeekOrigin::Begin,
                                    static_cast<int64_t>(pack.dataStart() + entry.dataOffset),
                                    stored.size()) != stored.size()) {
        return std::nullopt;
    }
    if (entry.method == kMlzStored)
        return stored;
    return decodeMlzEntry(entry, stored);
}

void MlzReader::close() {
    path_.clear();
    stamp_ = {};
    pack_.reset();
}

}  // namespace marlit
