// Colour conversion of the JbpStream decoder: one macroblock of samples
// (four luminance blocks, Cb, Cr; level shift not yet added) to RGB565.
// Each chrominance sample serves a 2x2 pixel group; blue = Y + 128 +
// ((cb * 116129) >> 16), red = Y + 128 + ((cr * 91881) >> 16), green =
// Y + 128 - ((cb * 22553 + cr * 46801) >> 16), shifts rounding down, each
// clamped to 0..255 and packed to its field.
#pragma once

#include <array>
#include <cstdint>

namespace marlit::jbp {

// The three field tables of RGB565 for values -256..511, indexed by value +
// 256: red (v & 0xF8) << 8, green (v & 0xFC) << 3, blue v >> 3. Values
// beyond the tables clamp to their ends.
struct ClampTables {
    ClampTables();
    std::array<uint16_t, 768> red, green, blue;
};

// Writes the 16x16 pixels at out with a pitch in words.
template <typename T>
void macroblockToRgb565(const T (*samples)[64], const ClampTables& tables, uint16_t* out,
                        int pitch);

// The same with SSE2 in 16-bit lanes, exact while every chrominance sample
// lies within +-16383 (luminance may be anything: saturation keeps its
// clamped result). False, with nothing written, when one does not.
bool macroblockToRgb565Fast(const int32_t (*samples)[64], uint16_t* out, int pitch);

}  // namespace marlit::jbp
