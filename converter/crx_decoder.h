// The PC game's CRX pictures, decoded into a Bitmap.
//
// Header (little-endian):
//   0   8  not interpreted
//   8   2  width
//   10  2  height
//   12  2  compression: 2 = zlib rows with filters, anything else = LZ type
//   14  2  not interpreted
//   16  2  LZ type: depth code, 0 = 24-bit, else palette entries (red, green, blue)
//   16  4  type 2: depth code, 0 = 24-bit, 1 = 32-bit with alpha,
//          else palette entries (blue, green, red)
//   20     palette (3 bytes per entry), then the compressed pixels
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "converter/bitmap.h"

namespace marlit {

// Width and height are at most 65535; a bitmap may take at most this much.
inline constexpr size_t kMaxCrxBitmapBytes = 64u << 20;

// Decodes a whole CRX file. Indexed pictures come out as 3 bytes per pixel,
// 32-bit pictures as 4 (blue, green, red, alpha). Bytes that a damaged or
// short file does not provide are zero as stored, so they come out black
// (opaque in 32-bit pictures, whose alpha is stored inverted). None, with `error` set, for a file
// without a full header, a width or height of 0, a bitmap over
// kMaxCrxBitmapBytes, or a type-2 depth code that is no valid kind.
std::optional<Bitmap> DecodeCrx(std::span<const uint8_t> file, std::string* error = nullptr);

}  // namespace marlit
