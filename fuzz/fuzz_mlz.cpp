// Packs and LZSS streams from untrusted bytes: the input read as a whole
// pack file, as a bare stream, and as data that must survive a round trip
// through the compressor.
#include <cstdint>
#include <cstdlib>
#include <span>
#include <vector>

#include "formats/lzss.h"
#include "formats/mlz_pack.h"

namespace {

// Keeps each run fast: entries asking for more are skipped, not refused.
constexpr uint32_t kFuzzExpandLimit = 1u << 20;

void readAsPack(std::span<const uint8_t> file) {
    auto pack = marlit::parseMlzIndex(file, file.size());
    if (!pack)
        return;
    marlit::findMlzEntry(*pack, "chip.rbp");
    size_t tried = 0;
    for (const marlit::MlzEntry& e : pack->entries) {
        if (++tried > 64)
            break;
        if (e.method == marlit::kMlzLzss && e.expandedSize > kFuzzExpandLimit)
            continue;
        if (!marlit::mlzEntryInFile(*pack, e))
            continue;
        uint64_t at = pack->dataStart() + e.dataOffset;
        if (at + e.storedSize > file.size())
            std::abort();
        auto out = marlit::decodeMlzEntry(e, file.subspan(at, e.storedSize));
        if (out && e.method == marlit::kMlzLzss && out->size() != e.expandedSize)
            std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::span<const uint8_t> in(data, size);
    readAsPack(in);

    // A bare stream, expanded into an output sized by its first two bytes.
    if (size >= 2) {
        std::vector<uint8_t> out(static_cast<size_t>(data[0] | (data[1] << 8)) * 4);
        if (marlit::LzssExpand(in.subspan(2), out) > out.size())
            std::abort();
    }

    // Whatever the bytes, the compressor's stream must give them back.
    auto packed = marlit::lzssCompressToVector(in);
    if (packed.size() > marlit::lzssBound(size))
        std::abort();
    std::vector<uint8_t> back(size);
    if (marlit::LzssExpand(packed, back) != size ||
        back != std::vector<uint8_t>(in.begin(), in.end())) {
        std::abort();
    }
    return 0;
}
