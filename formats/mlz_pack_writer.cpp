#include "formats/mlz_pack_writer.h"

#include <unistd.h>

#include <algorithm>
#include <cstdio>

#include "base/atomic_file.h"
#include "base/files.h"
#include "formats/lzss.h"

namespace marlit {
namespace {

constexpr uint64_t kMaxPackSize = UINT32_MAX;

bool writeAt(FILE* f, uint64_t pos, const void* data, size_t n) {
    if (::fseeko(f, static_cast<off_t>(pos), SEEK_SET) != 0)
        return false;
    return n == 0 || std::fwrite(data, 1, n, f) == n;
}

bool readAt(FILE* f, uint64_t pos, void* data, size_t n) {
    if (::fseeko(f, static_cast<off_t>(pos), SEEK_SET) != 0)
        return false;
    return std::fread(data, 1, n, f) == n;
}

}  // namespace

MlzPackWriter::MlzPackWriter() = default;
MlzPackWriter::~MlzPackWriter() = default;

bool MlzPackWriter::open(std::string_view path, size_t expectedCount) {
    return start(hostPath(path), expectedCount);
}

bool MlzPackWriter::openHost(const std::string& hostPath, size_t expectedCount) {
    return start(hostPath, expectedCount);
}

bool MlzPackWriter::fail(std::string why) {
    if (!failed_)
        error_ = std::move(why);
    failed_ = true;
    return false;
}

bool MlzPackWriter::start(const std::string& hostPath, size_t expectedCount) {
    entries_.clear();
    dataSize_ = 0;
    failed_ = false;
    error_.clear();
    // Packs are large: one left by a killed run is not left to pile up.
    AtomicFile::removeStale(hostPath);
    file_ = AtomicFile::createHost(hostPath, &error_);
    if (!file_) {
        failed_ = true;
        return false;
    }
    dataBase_ = kMlzHeaderSize + kMlzRecordSize * uint64_t{expectedCount};
    if (dataBase_ > kMaxPackSize)
        dataBase_ = kMlzHeaderSize;
    // The placeholder; finish() writes the real header and index over it.
    std::vector<uint8_t> placeholder(dataBase_, 0);
    if (!writeAt(file_->stream(), 0, placeholder.data(), placeholder.size()))
        return fail(lastSystemError());
    return true;
}

bool MlzPackWriter::add(std::string_view name, std::span<const uint8_t> bytes, uint32_t method) {
    if (method != kMlzStored && method != kMlzLzss)
        return false;
    MlzEntry entry;
    entry.name = std::string(name);
    entry.method = method;
    if (bytes.empty())
        return append(std::move(entry), {});
    if (bytes.size() > kMaxPackSize)
        return false;
    entry.expandedSize = static_cast<uint32_t>(bytes.size());
    if (method == kMlzStored)
        return append(std::move(entry), bytes);
    std::vector<uint8_t> packed = lzssCompressToVector(bytes);
    return append(std::move(entry), packed);
}

bool MlzPackWriter::addEmpty(std::string_view name) {
    return add(name, {}, kMlzStored);
}

bool MlzPackWriter::addCompressed(std::string_view name, std::span<const uint8_t> stored,
                                  uint32_t expandedSize) {
    if (stored.empty() != (expandedSize == 0) || expandedSize > kMlzMaxExpandedSize)
        return false;
    MlzEntry entry;
    entry.name = std::string(name);
    entry.method = kMlzLzss;
    entry.expandedSize = expandedSize;
    return append(std::move(entry), stored);
}

bool MlzPackWriter::append(MlzEntry entry, std::span<const uint8_t> data) {
    if (!file_ || failed_ || entry.name.size() >= kMlzNameSize)
        return false;
    if (entry.name.find('\0') != std::string::npos)
        return false;
    uint64_t indexEnd = kMlzHeaderSize + kMlzRecordSize * (entries_.size() + 1);
    if (std::max(indexEnd, dataBase_) + dataSize_ + data.size() > kMaxPackSize)
        return false;
    entry.storedSize = static_cast<uint32_t>(data.size());
    entry.dataOffset = static_cast<uint32_t>(dataSize_);
    if (!writeAt(file_->stream(), dataBase_ + dataSize_, data.data(), data.size()))
        return fail(lastSystemError());
    dataSize_ += data.size();
    entries_.push_back(std::move(entry));
    return true;
}

bool MlzPackWriter::finish() {
    if (!file_ || failed_) {
        file_.reset();
        return false;
    }
    uint64_t indexEnd = kMlzHeaderSize + kMlzRecordSize * uint64_t{entries_.size()};
    uint64_t fileSize = indexEnd + dataSize_;
    if (fileSize > kMaxPackSize) {
        file_.reset();
        return fail("the pack would pass 4 GiB");
    }
    bool ok = moveData(dataBase_, indexEnd);
    if (ok) {
        auto index = encodeMlzIndex(entries_, static_cast<uint32_t>(fileSize));
        FILE* f = file_->stream();
        ok = writeAt(f, 0, index.data(), index.size()) && std::fflush(f) == 0 &&
             ::ftruncate(::fileno(f), static_cast<off_t>(fileSize)) == 0;
    }
    if (!ok)
        fail(lastSystemError());
    else if (!file_->commit())
        fail(file_->error());
    file_.reset();
    return !failed_;
}

// Moves the data region when the index turned out larger or smaller than
// reserved, copying in the direction that never overwrites unread bytes.
bool MlzPackWriter::moveData(uint64_t from, uint64_t to) {
    if (from == to || dataSize_ == 0)
        return true;
    FILE* f = file_->stream();
    std::vector<uint8_t> chunk(std::min<uint64_t>(dataSize_, 1u << 20));
    for (uint64_t done = 0; done < dataSize_;) {
        size_t n = static_cast<size_t>(std::min<uint64_t>(chunk.size(), dataSize_ - done));
        // Moving up copies from the end backwards.
        uint64_t at = to > from ? dataSize_ - done - n : done;
        if (!readAt(f, from + at, chunk.data(), n) || !writeAt(f, to + at, chunk.data(), n)) {
            return false;
        }
        done += n;
    }
    return true;
}

}  // namespace marlit
