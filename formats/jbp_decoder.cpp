// Decoding a JbpStream to RGB565. All DC values are decoded first (they
// have a stream of their own), then each macroblock's AC levels, its
// inverse DCT and its colour conversion.
#include <algorithm>
#include <cstdlib>

#include "base/bytes.h"
#include "formats/jbp_bits.h"
#include "formats/jbp_colour.h"
#include "formats/jbp_huffman.h"
#include "formats/jbp_idct.h"
#include "formats/jbp_stream.h"

namespace marlit {

std::optional<JbpHeader> parseJbpHeader(std::span<const uint8_t> stream) {
    if (stream.size() < kJbpHeaderSize)
        return std::nullopt;
    ByteReader in(stream.first(kJbpHeaderSize));
    in.skip(4);
    JbpHeader h;
    h.tableOffset = in.u32();
    h.flags = in.u32();
    h.quality = in.u32();
    h.width = in.u16();
    h.height = in.u16();
    h.bitsPerPixel = in.u32();
    in.skip(4);
    h.dcSize = in.u32();
    h.acSize = in.u32();
    return h;
}

struct JbpDecoder::State {
    jbp::ClampTables clamp;
    std::array<std::array<uint8_t, 64>, 2> quant{};
    alignas(32) int32_t quant32[2][64] = {};  // the same, widened for the vector transform
    const bool avx2 = jbp::hasAvx2();
    bool haveQuant = false;
    jbp::HuffmanDecoder dcCodes, acCodes;
    std::vector<uint8_t> streams;  // both bit streams, mirrored and padded
    std::vector<int32_t> dc;       // the DC level of every block
    // One macroblock's levels, kept zero between blocks.
    alignas(64) int32_t levels[6][64] = {};

    // Decodes into out (capacity words) or, when out is null, into *own.
    std::optional<JbpHeader> decode(std::span<const uint8_t> stream, uint16_t* out, size_t capacity,
                                    std::vector<uint16_t>* own);
    bool decodeDc(jbp::BitReader& in, size_t blocks);
    template <typename T>
    void finishMacroblock(const uint64_t* nonzero, uint16_t* out, int pitch);
    void finishTameMacroblock(const uint64_t* nonzero, uint16_t* out, int pitch);
};

bool JbpDecoder::State::decodeDc(jbp::BitReader& in, size_t blocks) {
    dc.resize(blocks);
    uint32_t previous = 0;  // wraps rather than overflows on hostile input
    for (size_t b = 0; b < blocks; ++b) {
        in.refillBelow(25);
        uint32_t e = dcCodes.entry(in);
        int32_t v;
        if (e & jbp::HuffmanDecoder::kWithValue) {
            in.consume(jbp::HuffmanDecoder::entryLength(e));
            v = jbp::HuffmanDecoder::entryValue(e);
        } else {
            int s = dcCodes.symbol(in, e);
            in.refillBelow(15);
            v = s != 0 ? in.value(s) : 0;
        }
        previous += static_cast<uint32_t>(v);
        dc[b] = static_cast<int32_t>(previous);
    }
    return in.finish();
}

template <typename T>
void JbpDecoder::State::finishMacroblock(const uint64_t* nonzero, uint16_t* out, int pitch) {
    alignas(64) T samples[6][64];
    for (int b = 0; b < 6; ++b) {
        jbp::inverseDct<T>(levels[b], nonzero[b], quant[b < 4 ? 0 : 1].data(), samples[b]);
    }
    jbp::macroblockToRgb565<T>(samples, clamp, out, pitch);
}

void JbpDecoder::State::finishTameMacroblock(const uint64_t* nonzero, uint16_t* out, int pitch) {
    alignas(64) int32_t samples[6][64];
    for (int b = 0; b < 6; ++b) {
        const int table = b < 4 ? 0 : 1;
        if ((nonzero[b] & ~uint64_t{1}) == 0) {
            // A flat block needs no transform.
            std::fill_n(samples[b], 64, (levels[b][0] * quant32[table][0]) >> 3);
        } else if (avx2) {
            jbp::inverseDctAvx2(levels[b], quant32[table], samples[b]);
        } else {
            jbp::inverseDct<int32_t>(levels[b], nonzero[b], quant[table].data(), samples[b]);
        }
    }
    if (!jbp::macroblockToRgb565Fast(samples, out, pitch)) {
        jbp::macroblockToRgb565<int32_t>(samples, clamp, out, pitch);
    }
}

std::optional<JbpHeader> JbpDecoder::State::decode(std::span<const uint8_t> stream, uint16_t* out,
                                                   size_t capacity, std::vector<uint16_t>* own) {
    auto header = parseJbpHeader(stream);
    if (!header || header->width == 0 || header->height == 0)
        return std::nullopt;
    const int pw = header->paddedWidth(), ph = header->paddedHeight();
    const uint64_t pixels = static_cast<uint64_t>(pw) * ph;
    if (pixels > kJbpMaxPixels)
        return std::nullopt;
    if (out != nullptr && capacity < pixels)
        return std::nullopt;
    const size_t mbWide = pw / 16, mbHigh = ph / 16;
    const size_t blocks = mbWide * mbHigh * 6;
    // Every block takes at least one bit of each stream.
    if (uint64_t{header->dcSize} * 8 < blocks || uint64_t{header->acSize} * 8 < blocks) {
        return std::nullopt;
    }

    // The tables.
    uint64_t at = header->tableOffset;
    if (at + 64 > stream.size())
        return std::nullopt;
    std::array<uint32_t, kJbpDcSymbols> dcCounts;
    for (int i = 0; i < 16; ++i)
        dcCounts[i] = loadU32(stream.data() + at + 4 * i);
    at += 64;
    auto ac = unpackAcHistogram(stream.subspan(at));
    if (!ac)
        return std::nullopt;
    at += ac->consumed;
    if (header->flags & kJbpQuantPresent) {
        if (at + 128 > stream.size())
            return std::nullopt;
        std::copy_n(stream.data() + at, 64, quant[0].begin());
        std::copy_n(stream.data() + at + 64, 64, quant[1].begin());
        for (int t = 0; t < 2; ++t)
            std::copy_n(quant[t].begin(), 64, quant32[t]);
        haveQuant = true;
        at += 128;
    }
    if (!haveQuant)
        return std::nullopt;
    if (at + header->dcSize + header->acSize > stream.size())
        return std::nullopt;
    auto dcTree = buildHuffmanTree(dcCounts);
    auto acTree = buildHuffmanTree(ac->counts);
    if (!dcTree || !acTree)
        return std::nullopt;
    dcCodes.build(*dcTree, true);
    acCodes.build(*acTree, false);

    streams.clear();
    jbp::appendMirrored(streams, stream.subspan(at, header->dcSize));
    const size_t acStart = streams.size();
    jbp::appendMirrored(streams, stream.subspan(at + header->dcSize, header->acSize));

    jbp::BitReader dcIn(streams.data(), header->dcSize);
    if (!decodeDc(dcIn, blocks))
        return std::nullopt;

    if (out == nullptr) {
        own->assign(pixels, 0);
        out = own->data();
    }
    jbp::BitReader in(streams.data() + acStart, header->acSize);
    const int32_t* dcLevel = dc.data();
    for (size_t my = 0; my < mbHigh; ++my) {
        for (size_t mx = 0; mx < mbWide; ++mx) {
            uint64_t nonzero[6];
            bool tame = true;
            for (int b = 0; b < 6; ++b) {
                int32_t* block = levels[b];
                const uint8_t* q = quant[b < 4 ? 0 : 1].data();
                block[0] = *dcLevel++;
                tame &= std::abs(int64_t{block[0]} * q[0]) <= jbp::kTameDc;
                uint64_t mask = 0;
                int32_t acMax = 0;
                for (int k = 1; k < 64;) {
                    in.refillBelow(25);
                    const uint32_t e = acCodes.entry(in);
                    int32_t v;
                    if (e & jbp::HuffmanDecoder::kWithValue) [[likely]] {
                        in.consume(jbp::HuffmanDecoder::entryLength(e));
                        k += jbp::HuffmanDecoder::entrySymbol(e) >> 4;
                        v = jbp::HuffmanDecoder::entryValue(e);
                    } else {
                        const int symbol = acCodes.symbol(in, e);
                        if (symbol == 0)
                            break;
                        if (symbol >= 0xF0) {
                            k += (symbol & 0x0F) + 15;
                            continue;
                        }
                        k += symbol >> 4;
                        const int s = symbol & 0x0F;
                        in.refillBelow(15);
                        v = s != 0 ? in.value(s) : 0;
                    }
                    // A level past the end of the block is read and dropped.
                    if (k > 63)
                        break;
                    const int pos = kZigzag[k++];
                    block[pos] = v;
                    mask |= uint64_t{1} << pos;
                    acMax = std::max(acMax, std::abs(v) * q[pos]);
                }
                nonzero[b] = mask;
                tame &= acMax <= jbp::kTameAc;
            }
            uint16_t* dst = out + my * 16 * pw + mx * 16;
            if (tame) [[likely]] {
                finishTameMacroblock(nonzero, dst, pw);
            } else {
                finishMacroblock<int64_t>(nonzero, dst, pw);
            }
            for (int b = 0; b < 6; ++b) {
                levels[b][0] = 0;
                for (uint64_t m = nonzero[b]; m != 0; m &= m - 1)
                    levels[b][__builtin_ctzll(m)] = 0;
            }
        }
        if (in.overrun())
            return std::nullopt;
    }
    if (!in.finish())
        return std::nullopt;
    return header;
}

JbpDecoder::JbpDecoder() : state_(std::make_unique<State>()) {}
JbpDecoder::~JbpDecoder() = default;

std::optional<Rgb565Picture> JbpDecoder::decode(std::span<const uint8_t> stream) {
    Rgb565Picture picture;
    auto header = state_->decode(stream, nullptr, 0, &picture.pixels);
    if (!header)
        return std::nullopt;
    picture.width = header->width;
    picture.height = header->height;
    picture.paddedWidth = header->paddedWidth();
    picture.paddedHeight = header->paddedHeight();
    return picture;
}

bool JbpDecoder::decode(std::span<const uint8_t> stream, std::span<uint16_t> buffer) {
    return state_->decode(stream, buffer.data(), buffer.size(), nullptr).has_value();
}

std::optional<Rgb565Picture> DecodeJbp(std::span<const uint8_t> stream) {
    return JbpDecoder().decode(stream);
}

bool DecodeJbp(std::span<const uint8_t> stream, std::span<uint16_t> buffer) {
    return JbpDecoder().decode(stream, buffer);
}

}  // namespace marlit
