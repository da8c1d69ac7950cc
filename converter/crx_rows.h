// The rows of type-2 CRX pictures once inflated. Direct colour rows are a
// filter byte followed by width * P bytes (P = 3 or 4), top row first:
//   0  the first pixel as is, every further byte adds the byte P to its left
//   1  every byte adds the same byte of the row above
//   2  the first pixel as is, every further pixel adds the pixel above-left
//   3  every pixel but the last adds the pixel above-right
//   4  P planes one after the other, each width values run-length coded:
//      a value v, and when the next byte is v again, a count n of further
//      copies (the last value of a plane has no run marker)
// Any other filter leaves the row zero and the next row starts right after
// the filter byte. The top row's "row above" is all zeros.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace marlit {

// Reconstructs height rows of width * bytesPerPixel bytes from `in` into
// out (which starts zeroed). Bytes the input does not provide stay zero.
void unfilterCrxRows(std::span<const uint8_t> in, int width, int height, int bytesPerPixel,
                     uint8_t* out);

}  // namespace marlit
