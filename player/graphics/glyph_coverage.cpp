#include "player/graphics/glyph_coverage.h"

#include <algorithm>
#include <cstring>

namespace marlit {

namespace {

uint64_t keyOf(char16_t character, int size, int factor, int weight) {
    return static_cast<uint64_t>(character) | static_cast<uint64_t>(size) << 16 |
           static_cast<uint64_t>(factor) << 32 | static_cast<uint64_t>(weight & 0xFFFF) << 40;
}

}  // namespace

GlyphCoverage::GlyphCoverage(GlyphPainter& painter, int canvasSide, size_t cacheBytes)
    : painter_(painter),
      side_(std::clamp(canvasSide, 1, kMaxSize * kMaxFactor)),
      canvas_(static_cast<size_t>(side_) * side_ * 3),
      capacity_(cacheBytes) {}

void GlyphCoverage::clear() {
    entries_.clear();
    index_.clear();
    bytes_ = 0;
}

const uint8_t* GlyphCoverage::get(char16_t character, int size, int factor, int weight) {
    if (size < 1 || size > kMaxSize || factor < 1 || factor > kMaxFactor)
        return nullptr;
    const uint64_t key = keyOf(character, size, factor, weight);
    if (auto found = index_.find(key); found != index_.end()) {
        entries_.splice(entries_.begin(), entries_, found->second);
        return found->second->coverage.data();
    }
    if (!painter_.setFont(size * factor, weight))
        return nullptr;
    const size_t need = static_cast<size_t>(size) * size;
    if (need > capacity_) {
        paint(character, size, factor, scratch_);
        return scratch_.data();
    }
    while (bytes_ + need > capacity_ && !entries_.empty()) {
        bytes_ -= entries_.back().coverage.size();
        index_.erase(entries_.back().key);
        entries_.pop_back();
    }
    entries_.push_front(Entry{key, {}});
    paint(character, size, factor, entries_.front().coverage);
    index_[key] = entries_.begin();
    bytes_ += need;
    return entries_.front().coverage.data();
}

void GlyphCoverage::paint(char16_t character, int size, int factor, std::vector<uint8_t>& out) {
    const int h = size * factor;
    if (h > side_) {
        side_ = h;
        canvas_.assign(static_cast<size_t>(side_) * side_ * 3, 0);
    }
    const int pitch = side_ * 3;
    // The canvas area h x h black, then the character in white over it.
    for (int row = 0; row < h; ++row)
        std::memset(&canvas_[static_cast<size_t>(row) * pitch], 0, static_cast<size_t>(h) * 3);
    GlyphCanvas canvas{canvas_.data(), h, h, pitch};
    painter_.paint(character, canvas, 0, 0, false);
    ++paints_;

    out.resize(static_cast<size_t>(size) * size);
    const int area = factor * factor;
    for (int j = 0; j < size; ++j) {
        for (int i = 0; i < size; ++i) {
            int sum = 0;
            for (int v = 0; v < factor; ++v) {
                const uint8_t* p =
                    &canvas_[static_cast<size_t>(j * factor + v) * pitch + i * factor * 3];
                for (int u = 0; u < factor; ++u)
                    sum += p[u * 3];
            }
            out[static_cast<size_t>(j) * size + i] = static_cast<uint8_t>(sum / area);
        }
    }
}

}  // namespace marlit
