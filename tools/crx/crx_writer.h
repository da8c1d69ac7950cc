// Writes CRX pictures for tests, for the sample game and for users who put
// pictures back into a game folder: both compression types, every depth,
// every row filter and every LZ match form. The layout is the one
// converter/crx_decoder.h reads.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "converter/bitmap.h"
#include "tools/crx/crx_lz_writer.h"

namespace marlit::crx {

enum class CrxDepth { Rgb24, Rgba32, Indexed };
enum class CrxCompression { Lz, Zlib };

struct CrxPicture {
    int width = 0;
    int height = 0;
    CrxDepth depth = CrxDepth::Rgb24;
    // Rgb24: blue, green, red. Rgba32: blue, green, red, alpha (255 opaque).
    // Indexed: one palette index per pixel. Rows top to bottom.
    std::vector<uint8_t> pixels;
    // Indexed: blue, green, red per entry.
    std::vector<uint8_t> palette;
};

struct CrxWriteOptions {
    CrxCompression compression = CrxCompression::Zlib;
    // Zlib with direct colour: the filter (0-4) of every row, or -1 to pick
    // one per row.
    int filter = -1;
};

// The file bytes; none, with `error` set, for what the format cannot hold
// (32-bit pixels in the LZ type, sizes outside 1..65535, a bad filter, a
// palette of more than 65535 entries). `counts` receives the LZ forms used.
std::optional<std::vector<uint8_t>> writeCrx(const CrxPicture& picture,
                                             const CrxWriteOptions& options,
                                             std::string* error = nullptr,
                                             LzFormCounts* counts = nullptr);

// The bitmap as direct colour (Rgb24 or Rgba32 by its bytes per pixel).
CrxPicture directPicture(const Bitmap& bitmap);
// The bitmap (its first three bytes per pixel) with a palette of its
// colours in order of appearance; none when it has more than 256.
std::optional<CrxPicture> indexedPicture(const Bitmap& bitmap);

}  // namespace marlit::crx
