// The coverage of message glyphs: a character painted by the font renderer
// at `factor` times its size into a square canvas and averaged down, each
// output pixel the mean of the blue bytes of its factor x factor canvas
// pixels (0 untouched .. 255 fully covered). Results are kept per
// character, size, factor and weight, the least recently used dropped
// first, so a page that is redrawn paints nothing again.
#pragma once

#include <cstddef>
#include <cstdint>
#include <list>
#include <unordered_map>
#include <vector>

#include "platform/glyph_painter.h"

namespace marlit {

class GlyphCoverage {
  public:
    static constexpr int kMaxSize = 256;
    static constexpr int kMaxFactor = 4;
    static constexpr size_t kDefaultCacheBytes = size_t{4} << 20;

    // `canvasSide` is the side of the canvas made at first; it grows when a
    // glyph needs more. With `cacheBytes` 0 every glyph is painted anew.
    GlyphCoverage(GlyphPainter& painter, int canvasSide, size_t cacheBytes = kDefaultCacheBytes);

    // size x size coverage bytes, rows top to bottom, valid until the next
    // call; null for a size outside 1..kMaxSize or a factor outside
    // 1..kMaxFactor, or when the font cannot be made at that height.
    const uint8_t* get(char16_t character, int size, int factor, int weight);

    void clear();
    size_t entries() const { return index_.size(); }
    size_t bytes() const { return bytes_; }
    // Characters painted by the renderer so far.
    uint64_t paints() const { return paints_; }
    int canvasSide() const { return side_; }

  private:
    struct Entry {
        uint64_t key;
        std::vector<uint8_t> coverage;
    };

    void paint(char16_t character, int size, int factor, std::vector<uint8_t>& out);

    GlyphPainter& painter_;
    int side_;
    std::vector<uint8_t> canvas_;
    size_t capacity_;
    size_t bytes_ = 0;
    std::list<Entry> entries_;  // most recently used first
    std::unordered_map<uint64_t, std::list<Entry>::iterator> index_;
    std::vector<uint8_t> scratch_;  // the result when nothing is kept
    uint64_t paints_ = 0;
};

}  // namespace marlit
