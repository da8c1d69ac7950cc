#include "tools/samplegame/palette.h"

#include <algorithm>
#include <vector>

namespace marlit::sample {

namespace {

// Distinct colours, up to `limit` + 1, with one bit per 24-bit colour.
size_t colourCount(const Bitmap& b, size_t limit) {
    std::vector<uint64_t> seen(size_t{1} << 18, 0);
    size_t count = 0;
    for (size_t i = 0; i + 2 < b.pixels.size(); i += b.bytesPerPixel) {
        const uint32_t c = b.pixels[i] | (b.pixels[i + 1] << 8) | (b.pixels[i + 2] << 16);
        uint64_t& word = seen[c >> 6];
        const uint64_t bit = uint64_t{1} << (c & 63);
        if (!(word & bit)) {
            word |= bit;
            if (++count > limit)
                break;
        }
    }
    return count;
}

}  // namespace

Bitmap reduceColours(Bitmap picture) {
    for (int bits = 8; bits >= 1; --bits) {
        Bitmap reduced = picture;
        if (bits < 8) {
            const int drop = 8 - bits;
            const int step = 1 << drop;
            for (size_t i = 0; i < reduced.pixels.size(); ++i) {
                if (reduced.bytesPerPixel == 4 && i % 4 == 3)
                    continue;
                // Nearest level; the top level is 255 so white stays white.
                int v = (picture.pixels[i] + step / 2) >> drop << drop;
                reduced.pixels[i] = static_cast<uint8_t>(std::min(v, 255));
            }
        }
        if (colourCount(reduced, 256) <= 256)
            return reduced;
    }
    return picture;
}

}  // namespace marlit::sample
