// The movie file (.jmv): still frames, each one complete JbpStream, played
// at a fixed rate. All integers little-endian.
//
// Header, 48 bytes:
//    0  8  written as zeros, not read
//    8  4  frame count N
//   12  4  frames per second F
//   16  4  written as zeros, not read
//   20  4  frame width in pixels
//   24  4  frame height in pixels
//   28 20  written as zeros, not read
// Frame table at 48, one 24-byte entry per frame in play order:
//    0  4  written as zeros, not read
//    4  4  size of the frame's data in bytes
//    8  8  written as zeros, not read
//   16  4  position of the frame's data counted from the end of the table
//          (file position = 48 + 24 * N + this value)
//   20  4  written as zeros, not read
// Frame data follows the table.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "formats/jbp_stream.h"

namespace marlit {

inline constexpr size_t kJmvHeaderSize = 48;
inline constexpr size_t kJmvEntrySize = 24;

struct JmvHeader {
    uint32_t frameCount = 0;
    uint32_t framesPerSecond = 0;
    uint32_t width = 0;
    uint32_t height = 0;

    // Bytes of the header and the frame table together.
    uint64_t tableSize() const { return kJmvHeaderSize + uint64_t{kJmvEntrySize} * frameCount; }
    // A decoded frame's size: rows of paddedWidth() words (the width rounded
    // up to 16), paddedHeight() rows.
    uint32_t paddedWidth() const { return (width + 15) & ~15u; }
    uint32_t paddedHeight() const { return (height + 15) & ~15u; }
};

struct JmvFrame {
    uint32_t size = 0;
    // From the end of the frame table.
    uint32_t position = 0;
};

// A movie's header and the frames of its table that lie inside the file.
struct JmvTable {
    JmvHeader header;
    // Fewer than header.frameCount when the table was cut at a frame whose
    // data does not fit the file.
    std::vector<JmvFrame> frames;
    // Why the table was cut; empty when every frame fits.
    std::string problem;

    uint64_t dataStart() const { return header.tableSize(); }
    uint64_t fileOffset(size_t frame) const { return dataStart() + frames[frame].position; }
};

// The header of the first 48 bytes. None with `error` set when there are
// fewer, or when the size or the rate cannot be played (a width or height
// of 0 or over 65535, which a frame's stream cannot carry, a picture over
// kJbpMaxPixels, or 0 frames per second).
std::optional<JmvHeader> parseJmvHeader(std::span<const uint8_t> bytes, std::string* error);

// The header and frame table from the first bytes of a file of `fileSize`
// bytes (`bytes` must hold the whole table). None with `error` set when the
// header is refused or the table does not fit the file. A frame whose data
// reaches past the end of the file cuts the table there, with the reason
// in `problem`.
std::optional<JmvTable> parseJmvTable(std::span<const uint8_t> bytes, uint64_t fileSize,
                                      std::string* error);

// One frame's stream decoded into `picture` (at least paddedWidth() x
// paddedHeight() words); false when it does not decode or shows a picture
// of another size than the movie's.
bool decodeJmvFrame(JbpDecoder& decoder, const JmvHeader& header, std::span<const uint8_t> stream,
                    std::span<uint16_t> picture);

// A movie file of the given frames (each one JbpStream), packed one after
// another in play order. None when the count or a position would not fit
// the table's 32-bit fields.
std::optional<std::vector<uint8_t>> writeJmv(uint32_t framesPerSecond, uint32_t width,
                                             uint32_t height,
                                             std::span<const std::vector<uint8_t>> frames);

}  // namespace marlit
