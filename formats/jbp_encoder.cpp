// Writing a JbpStream from quantized coefficients.
#include <cstdlib>

#include "base/bytes.h"
#include "formats/jbp_huffman.h"
#include "formats/jbp_stream.h"
#include "formats/rbp_codec.h"

namespace marlit {
namespace {

// The largest magnitude that a size of 15 and its 15 extra bits carry.
constexpr int32_t kMaxMagnitude = 32767;

int sizeOf(int32_t v) {
    uint32_t a = static_cast<uint32_t>(std::abs(v));
    if (a >= 16384)
        return 15;
    int s = 0;
    while (a != 0) {
        ++s;
        a >>= 1;
    }
    return s;
}

uint32_t extraBits(int32_t v, int s) {
    return v > 0 ? v : static_cast<uint32_t>(v + (1 << s) - 1);
}

// Writes values most significant bit first into bytes; the bytes are
// mirrored at the end, which gives the words filled from bit 0 upwards.
class BitWriter {
  public:
    void put(uint64_t bits, int length) {
        while (length > 0) {
            int n = length > 32 ? 32 : length;
            length -= n;
            putSmall(static_cast<uint32_t>(bits >> length) & static_cast<uint32_t>((1ull << n) - 1),
                     n);
        }
    }
    std::vector<uint8_t> finish() {
        if (count_ > 0)
            bytes_.push_back(static_cast<uint8_t>(acc_ << (8 - count_)));
        while (bytes_.size() % 4 != 0)
            bytes_.push_back(0);
        for (uint8_t& b : bytes_)
            b = mirror(b);
        return std::move(bytes_);
    }

  private:
    void putSmall(uint32_t bits, int n) {
        acc_ = (acc_ << n) | bits;
        count_ += n;
        while (count_ >= 8) {
            count_ -= 8;
            bytes_.push_back(static_cast<uint8_t>(acc_ >> count_));
        }
        acc_ &= (1ull << count_) - 1;
    }
    static uint8_t mirror(uint8_t b) {
        b = static_cast<uint8_t>((b & 0xF0) >> 4 | (b & 0x0F) << 4);
        b = static_cast<uint8_t>((b & 0xCC) >> 2 | (b & 0x33) << 2);
        return static_cast<uint8_t>((b & 0xAA) >> 1 | (b & 0x55) << 1);
    }

    std::vector<uint8_t> bytes_;
    uint64_t acc_ = 0;
    int count_ = 0;
};

struct Symbol {
    uint8_t dc;      // 1 for a DC size, 0 for an AC symbol
    uint8_t symbol;  // the DC size or the AC symbol
    uint8_t size;    // extra bits that follow
    uint32_t bits;
};

// The DC and AC symbols of all blocks in stream order; false for a value
// beyond what the code carries.
bool collectSymbols(const JbpCoefficients& c, std::vector<Symbol>& out) {
    int32_t previous = 0;
    for (const auto& block : c.blocks) {
        int64_t diff = static_cast<int64_t>(block[0]) - previous;
        previous = block[0];
        if (diff < -kMaxMagnitude || diff > kMaxMagnitude)
            return false;
        int32_t d = static_cast<int32_t>(diff);
        int s = sizeOf(d);
        out.push_back({1, static_cast<uint8_t>(s), static_cast<uint8_t>(s), extraBits(d, s)});
        int run = 0;
        for (int k = 1; k < 64; ++k) {
            int32_t v = block[kZigzag[k]];
            if (v == 0) {
                ++run;
                continue;
            }
            if (v < -kMaxMagnitude || v > kMaxMagnitude)
                return false;
            while (run > 30) {
                out.push_back({0, 0xFF, 0, 0});
                run -= 30;
            }
            int sz = sizeOf(v);
            if (run <= 14) {
                out.push_back({0, static_cast<uint8_t>(run << 4 | sz), static_cast<uint8_t>(sz),
                               extraBits(v, sz)});
            } else {
                out.push_back({0, static_cast<uint8_t>(0xF0 | (run - 15)), 0, 0});
                out.push_back(
                    {0, static_cast<uint8_t>(sz), static_cast<uint8_t>(sz), extraBits(v, sz)});
            }
            run = 0;
        }
        if (run > 0)
            out.push_back({0, 0x00, 0, 0});
    }
    return true;
}

}  // namespace

std::optional<std::vector<uint8_t>> writeJbpStream(const JbpCoefficients& c) {
    if (c.width <= 0 || c.height <= 0 || c.width > 0xFFFF || c.height > 0xFFFF)
        return std::nullopt;
    size_t macroblocks = static_cast<size_t>((c.width + 15) / 16) * ((c.height + 15) / 16);
    if (c.blocks.size() != macroblocks * 6)
        return std::nullopt;

    std::vector<Symbol> symbols;
    symbols.reserve(c.blocks.size() * 8);
    if (!collectSymbols(c, symbols))
        return std::nullopt;
    std::array<uint32_t, kJbpDcSymbols> dcCounts{};
    std::array<uint32_t, kJbpAcSymbols> acCounts{};
    for (const Symbol& s : symbols)
        ++(s.dc ? dcCounts[s.symbol] : acCounts[s.symbol]);
    auto dcTree = buildHuffmanTree(dcCounts);
    auto acTree = buildHuffmanTree(acCounts);
    if (!dcTree || !acTree)
        return std::nullopt;
    auto dcCodes = huffmanCodes(*dcTree);
    auto acCodes = huffmanCodes(*acTree);

    BitWriter dc, ac;
    for (const Symbol& s : symbols) {
        const HuffmanCode& code = s.dc ? dcCodes[s.symbol] : acCodes[s.symbol];
        if (code.length == 0)
            return std::nullopt;
        BitWriter& w = s.dc ? dc : ac;
        w.put(code.bits, code.length);
        if (s.size > 0)
            w.put(s.bits, s.size);
    }
    std::vector<uint8_t> dcBytes = dc.finish();
    std::vector<uint8_t> acBytes = ac.finish();

    ByteWriter out;
    out.bytes("JBP1", 4);
    out.u32(kJbpTableOffset);
    out.u32(kJbpFlags);
    out.u32(c.quality);
    out.u16(static_cast<uint16_t>(c.width));
    out.u16(static_cast<uint16_t>(c.height));
    out.u32(24);
    out.u32(0);
    out.u32(static_cast<uint32_t>(dcBytes.size()));
    out.u32(static_cast<uint32_t>(acBytes.size()));
    out.zeros(8);
    for (uint32_t count : dcCounts)
        out.u32(count);
    out.bytes(packAcHistogram(acCounts));
    out.bytes(c.quant[0]);
    out.bytes(c.quant[1]);
    out.bytes(dcBytes);
    out.bytes(acBytes);
    return out.take();
}

std::optional<std::vector<uint8_t>> EncodeJbp(const PictureView& picture, int quality) {
    if (!picture.valid() || picture.width < kJbpMinSize || picture.height < kJbpMinSize ||
        picture.width > 0xFFFF || picture.height > 0xFFFF) {
        return std::nullopt;
    }
    if (quality != 100 && quality != 90 && quality != 80)
        return std::nullopt;
    auto jpeg = baselineJpeg(picture, quality);
    if (!jpeg)
        return std::nullopt;
    auto coefficients = jpegCoefficients(*jpeg);
    if (!coefficients)
        return std::nullopt;
    coefficients->quality = static_cast<uint32_t>(quality);
    return writeJbpStream(*coefficients);
}

}  // namespace marlit
