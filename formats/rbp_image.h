// The handheld picture file (.rbp): a 36-byte header and a payload.
//
//   0 signature "RBP" ("MBP" for the embedded chip picture), not checked
//   3 version character: '5' uncompressed, '7' JBP, '1' in "MBP1"
//   4 kind (RbpKind)   8 width   12 height   16 payload offset (36)
//  20 source width (i16)   22 source height (i16)   24, 26 reserved 0
//  28 JBP size (kinds 30 and 31, else 0)   32 reserved 0
//
// Payloads: kind 13 is width*height RGB565 words; kinds 1 and 11 add an
// alpha byte after each word; kind 30 is a JbpStream of JBP-size bytes and
// kind 31 the same followed by width*height alpha bytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace marlit {

inline constexpr size_t kRbpHeaderSize = 36;

enum RbpKind : uint32_t {
    kRbpAlpha = 1,      // RGB565 + alpha byte per pixel
    kRbpAlphaOld = 11,  // never written; read like kRbpAlpha
    kRbpOpaque = 13,    // RGB565 per pixel
    kRbpJbp = 30,       // JbpStream
    kRbpJbpAlpha = 31,  // JbpStream, then an alpha plane
};

// One of the kinds above. The loader gives a clear picture for any other.
constexpr bool knownRbpKind(uint32_t kind) {
    return kind == kRbpAlpha || kind == kRbpAlphaOld || kind == kRbpOpaque || kind == kRbpJbp ||
           kind == kRbpJbpAlpha;
}

struct RbpHeader {
    char signature[3] = {'R', 'B', 'P'};
    char version = '5';
    uint32_t kind = kRbpOpaque;
    uint32_t width = 0;
    uint32_t height = 0;
    uint32_t payloadOffset = kRbpHeaderSize;
    int16_t sourceWidth = 0;
    int16_t sourceHeight = 0;
    uint32_t jbpSize = 0;
};

// The header fields of a file; none when it is shorter than the header.
std::optional<RbpHeader> parseRbpHeader(std::span<const uint8_t> file);
// The 36 header bytes.
std::vector<uint8_t> encodeRbpHeader(const RbpHeader& header);

// RGB565 from 8-bit channels, by truncation.
constexpr uint16_t packRgb565(uint8_t r, uint8_t g, uint8_t b) {
    return static_cast<uint16_t>(((r & 0xF8) << 8) | ((g >> 2) << 5) | (b >> 3));
}
// The 8-bit channels of an RGB565 word as the loader widens them (low bits
// zero, no replication).
constexpr uint8_t red565(uint16_t v) {
    return static_cast<uint8_t>((v >> 8) & 0xF8);
}
constexpr uint8_t green565(uint16_t v) {
    return static_cast<uint8_t>((v >> 3) & 0xFC);
}
constexpr uint8_t blue565(uint16_t v) {
    return static_cast<uint8_t>((v & 0x1F) << 3);
}

// The colour key: full red and blue, no green.
inline constexpr uint16_t kRgb565Key = 0xF81F;

}  // namespace marlit
