// The JbpStream: the DCT picture codec of the handheld pictures and movie
// frames. It keeps the quantized coefficients of a baseline JPEG (16x16
// macroblocks of four luminance blocks, then Cb, then Cr) and codes them
// with two Huffman streams built from stored frequency tables.
//
//   0 "JBP1"   4 table offset (44)   8 flags (bit 27: quantization tables follow)
//  12 quality  16 width (u16)   18 height (u16)   20 bits per pixel (24)
//  24 reserved 28 DC stream size   32 AC stream size   36, 40 reserved
//  44 DC histogram: 16 counts (u32)
// 108 AC histogram: 256 counts (u32) as 1024 bytes packed by zero runs
//     (a zero byte and n stand for n + 1 zeros), padded to 4 bytes
//     then the luminance and the chrominance quantization tables (64 bytes
//     each, natural order), the DC bit stream and the AC bit stream.
//
// Bit streams are 32-bit little-endian words filled from bit 0 upwards; a
// value is written most significant bit first.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <vector>

#include "formats/picture_view.h"

namespace marlit {

inline constexpr size_t kJbpHeaderSize = 44;
inline constexpr uint32_t kJbpTableOffset = 44;
inline constexpr uint32_t kJbpFlags = 0x08000001;
inline constexpr uint32_t kJbpQuantPresent = 1u << 27;
// Streams whose padded picture would exceed this many pixels are refused.
inline constexpr uint64_t kJbpMaxPixels = 1u << 26;

struct JbpHeader {
    uint32_t tableOffset = kJbpTableOffset;
    uint32_t flags = kJbpFlags;
    uint32_t quality = 0;
    uint16_t width = 0;
    uint16_t height = 0;
    uint32_t bitsPerPixel = 24;
    uint32_t dcSize = 0;
    uint32_t acSize = 0;

    int paddedWidth() const { return (width + 15) & ~15; }
    int paddedHeight() const { return (height + 15) & ~15; }
};

// The header fields; none when the stream is shorter than the header.
std::optional<JbpHeader> parseJbpHeader(std::span<const uint8_t> stream);

// A decoded stream: RGB565 words of the padded size (width and height
// rounded up to 16), row pitch paddedWidth words, (0,0) at the top left.
struct Rgb565Picture {
    int width = 0;
    int height = 0;
    int paddedWidth = 0;
    int paddedHeight = 0;
    std::vector<uint16_t> pixels;
};

// Decodes streams one after another. A stream without quantization tables
// (flag bit 27 clear) uses the tables of the last stream that had them, as
// movie frames may; before any tables were seen such a stream is refused.
class JbpDecoder {
  public:
    JbpDecoder();
    ~JbpDecoder();
    JbpDecoder(const JbpDecoder&) = delete;
    JbpDecoder& operator=(const JbpDecoder&) = delete;

    std::optional<Rgb565Picture> decode(std::span<const uint8_t> stream);
    // Into the caller's buffer with a pitch of the padded width; false
    // (the buffer partly written) when the stream is bad or the padded
    // picture needs more than buffer.size() words.
    bool decode(std::span<const uint8_t> stream, std::span<uint16_t> buffer);

  private:
    struct State;
    std::unique_ptr<State> state_;
};

// One-shot decoding with a fresh decoder.
std::optional<Rgb565Picture> DecodeJbp(std::span<const uint8_t> stream);
bool DecodeJbp(std::span<const uint8_t> stream, std::span<uint16_t> buffer);

// The quantized coefficients that a stream carries, in stream order: per
// macroblock in raster order the four luminance blocks (top left, top
// right, bottom left, bottom right), Cb and Cr, each 64 levels in natural
// (row-major) order.
struct JbpCoefficients {
    int width = 0;
    int height = 0;
    uint32_t quality = 0;
    std::array<std::array<uint8_t, 64>, 2> quant{};  // luminance, chrominance
    std::vector<std::array<int32_t, 64>> blocks;
};

// The stream of these coefficients. None when a DC difference or a level
// lies outside what 15 extra bits carry (|v| > 32767), when the block count
// does not match the size, or when the sizes do not fit the header.
std::optional<std::vector<uint8_t>> writeJbpStream(const JbpCoefficients& coefficients);

// A baseline JPEG of a 24-bit or 32-bit picture (alpha ignored) at quality
// 1..100 made by libjpeg: YCbCr with 2x2-subsampled chrominance. None for
// an invalid picture or a libjpeg failure.
std::optional<std::vector<uint8_t>> baselineJpeg(const PictureView& picture, int quality);

// The coefficients and tables of such a JPEG, read back with libjpeg's
// coefficient reader. None for a JPEG of another shape or over 65535.
std::optional<JbpCoefficients> jpegCoefficients(std::span<const uint8_t> jpeg);

// The JbpStream of a picture at JPEG quality 100, 90 or 80. None for
// pictures under 32 pixels in either direction, over 65535, or whose
// depth is not 24 or 32 bits; the caller then stores it uncompressed.
std::optional<std::vector<uint8_t>> EncodeJbp(const PictureView& picture, int quality);

}  // namespace marlit
