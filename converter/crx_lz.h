// The LZ compression type of CRX pictures: a byte stream with a 64 KiB
// history, eight flags per control byte (least significant first; 1 = a
// literal byte, 0 = a match). A match starts with a byte e:
//   e >= 0xC0         length ((e >> 2) & 15) + 4, distance ((e & 3) << 8) | next byte
//   0x80 <= e < 0xC0  length ((e >> 5) & 3) + 2, distance e & 0x1F, or the next byte when 0
//   e == 0x7F         length = next u16 + 2, distance = following u16
//   e < 0x7F          length e + 4, distance = next u16
// A match copies byte by byte from `distance` bytes back (distance 0 means
// 65536), so an overlapping copy repeats bytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace marlit {

// Decodes into out until it is full or the input ends; returns the bytes
// produced. A match reaching before the start reads zeros (the history
// starts zeroed) and one running past the end of out is cut there.
size_t decodeCrxLz(std::span<const uint8_t> in, std::span<uint8_t> out);

}  // namespace marlit
