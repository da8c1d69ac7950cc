// LZSS against zlib (deflate level 6, inflate) on what the packs hold: an
// 800x600 picture as the converter stores it, in both stored kinds, and a
// few hundred KB of Shift-JIS scenario script. All inputs are generated
// here from fixed seeds, so every run measures the same bytes. Each pair of
// benchmarks reports bytes per second of the uncompressed data; the ratios
// are taken from one run. Counters give each codec's compressed size as a
// fraction of the input.
#include <benchmark/benchmark.h>
#include <zlib.h>

#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "base/bytes.h"
#include "formats/lzss.h"

namespace {

using Bytes = std::vector<uint8_t>;

void rbpHeader(marlit::ByteWriter& w, char version, uint32_t kind, uint32_t jbpSize) {
    w.bytes("RBP", 3);
    w.u8(static_cast<uint8_t>(version));
    for (uint32_t v : {kind, 800u, 600u, 36u})
        w.u32(v);
    w.u16(800);
    w.u16(600);
    w.u32(0);
    w.u32(jbpSize);
    w.u32(0);
}

// An illustration-like scene in RGB565 (the uncompressed kind 13): a sky
// gradient, flat-shaded shapes with dark outlines, a textured ground with
// painterly noise, and a band of fine detail. Gradients and flat fills
// give runs; noise and detail give literals.
Bytes picture565() {
    std::mt19937 rng(565);
    constexpr int W = 800, H = 600;
    std::vector<uint32_t> rgb(W * H);
    for (int y = 0; y < H; ++y) {
        for (int x = 0; x < W; ++x) {
            int r = 90 + y * 100 / H, g = 140 + y * 80 / H, b = 230 - y * 60 / H;
            if (y > 380) {  // ground: noisy earth colours
                int n = static_cast<int>(rng() % 24);
                r = 110 + n + (x / 37 % 3) * 6;
                g = 90 + n;
                b = 60 + n / 2;
            }
            rgb[y * W + x] = (r << 16) | (g << 8) | b;
        }
    }
    for (int k = 0; k < 40; ++k) {  // flat shapes: circles and boxes
        int cx = rng() % W, cy = rng() % H, rad = 15 + rng() % 80;
        uint32_t fill = rng() & 0xFFFFFF;
        bool box = k % 3 == 0;
        for (int y = std::max(0, cy - rad); y < std::min(H, cy + rad); ++y) {
            for (int x = std::max(0, cx - rad); x < std::min(W, cx + rad); ++x) {
                int d2 = (x - cx) * (x - cx) + (y - cy) * (y - cy);
                bool inside = box || d2 < rad * rad;
                bool edge = box ? (std::abs(x - cx) > rad - 3 || std::abs(y - cy) > rad - 3)
                                : d2 > (rad - 3) * (rad - 3);
                if (!inside)
                    continue;
                // Shading across the shape, as cel shading gives.
                uint32_t shade = (y - cy) > rad / 3 ? 0x202020 : 0;
                rgb[y * W + x] = edge ? 0x181018 : (fill - (fill & shade));
            }
        }
    }
    for (int y = 250; y < 330; ++y) {  // fine detail: foliage-like speckle
        for (int x = 0; x < W; ++x) {
            if (rng() % 3 == 0)
                rgb[y * W + x] = 0x205020 + (rng() % 64) * 0x000400;
        }
    }
    marlit::ByteWriter w;
    rbpHeader(w, '5', 13, 0);
    for (uint32_t c : rgb) {
        uint32_t r = c >> 16 & 0xFF, g = c >> 8 & 0xFF, b = c & 0xFF;
        w.u16(static_cast<uint16_t>(((r & 0xF8) << 8) | ((g >> 2) << 5) | (b >> 3)));
    }
    return w.take();
}

// The DCT kind (30): header, histograms, quantization tables and two
// Huffman-coded bit streams. The streams are made by coding symbols drawn
// from a skewed distribution with a prefix code, which gives bits as dense
// as a real entropy coder's (about 1.6 bits per pixel, quality 90).
Bytes pictureJbp() {
    std::mt19937 rng(30);
    std::geometric_distribution<int> symbol(0.35);
    Bytes bits;
    uint32_t word = 0;
    int used = 0;
    auto put = [&](uint32_t v, int n) {
        for (int i = n - 1; i >= 0; --i) {
            word |= ((v >> i) & 1u) << used;
            if (++used == 32) {
                for (int k = 0; k < 4; ++k)
                    bits.push_back(static_cast<uint8_t>(word >> 8 * k));
                word = 0;
                used = 0;
            }
        }
    };
    while (bits.size() < 800 * 600 * 16 / 10 / 8) {
        int s = std::min(symbol(rng), 20);
        put((1u << (s + 1)) - 2, s + 1);  // unary-like prefix code
        put(rng(), s % 8);                // extra bits
    }
    marlit::ByteWriter w;
    rbpHeader(w, '7', 30, static_cast<uint32_t>(44 + 64 + 300 + 128 + bits.size()));
    w.bytes("JBP1", 4);
    for (uint32_t v : {44u, 0x08000001u, 90u})
        w.u32(v);
    w.u16(800);
    w.u16(600);
    for (uint32_t v : {24u, 0u, 9000u, static_cast<uint32_t>(bits.size() - 9000), 0u, 0u})
        w.u32(v);
    for (int i = 0; i < 16; ++i)
        w.u32(i < 11 ? 3000u >> (i / 2) : 0u);
    for (int i = 0; i < 300; ++i)
        w.u8(i % 5 == 0 ? 0 : static_cast<uint8_t>(rng() % 200));
    for (int i = 0; i < 128; ++i)
        w.u8(static_cast<uint8_t>(3 + (i % 64) / 4 + (i / 64) * 5));
    w.bytes(bits);
    return w.take();
}

// A scenario script: word, quad and string commands, speaker and message
// text in Shift-JIS with every byte lowered by 0x20, voice names, labels.
// Words come from a Zipf-like vocabulary of kana and kanji.
Bytes script(size_t size) {
    std::mt19937 rng(932);
    auto wideChar = [&](std::string& s) {
        unsigned kind = rng() % 10;
        unsigned lead, trail;
        if (kind < 5) {
            lead = 0x82, trail = 0x9F + rng() % 83;  // hiragana
        } else if (kind < 7) {
            lead = 0x83, trail = 0x40 + rng() % 63;  // katakana
        } else {
            lead = 0x88 + rng() % 16, trail = 0x40 + rng() % 63;  // kanji
        }
        s += static_cast<char>(lead);
        s += static_cast<char>(trail);
    };
    std::vector<std::string> words(400);
    for (auto& w : words) {
        int n = 1 + rng() % 4;
        for (int i = 0; i < n; ++i)
            wideChar(w);
    }
    const char* names[] = {"\x8F\xAC\x90\xEC", "\x96\xEC\x8C\xB4", "\x8D\xB2\x93\xA1", "\x8E\x84",
                           "\x88\xA4\x8E\x71"};
    auto pick = [&]() -> const std::string& {
        double u = std::uniform_real_distribution<double>(0, 1)(rng);
        return words[static_cast<size_t>(words.size() * u * u * u)];
    };
    auto lowered = [](const std::string& s) {
        std::string out = s;
        for (char& c : out)
            c = static_cast<char>(static_cast<uint8_t>(c) - 0x20);
        return out;
    };
    marlit::ByteWriter w;
    w.u32(2);
    w.u32(0x20001);
    w.u32(0);
    for (int line = 0; w.size() < size; ++line) {
        if (line % 40 == 0) {
            w.u8('2');
            w.fixedText("0223a_f01_" + std::to_string(line / 40), 16);
            w.u8('4');
            w.fixedText("AdvData\\GRP\\BG\\bg" + std::to_string(rng() % 30 + 10) + "a.crx", 30);
        }
        if (rng() % 4 == 0) {
            w.u8('S');
            for (int k = 0; k < 4; ++k)
                w.u16(static_cast<uint16_t>(rng() % 4 * 100));
        }
        w.u8(static_cast<uint8_t>(2 + rng() % 3));
        w.u16(static_cast<uint16_t>(rng() % 16));
        std::string speaker = names[rng() % 5];
        w.u8('K');
        std::string k = lowered(speaker);
        w.bytes(k.data(), k.size() + 1);
        w.u8('5');
        std::string voice = "v" + std::to_string(1000 + line) + ".pcm";
        w.bytes(voice.data(), voice.size() + 1);
        std::string text = "\x81\x75";
        int n = 4 + rng() % 14;
        for (int i = 0; i < n; ++i) {
            text += pick();
            if (rng() % 6 == 0)
                text += "\x81\x41";
        }
        text += rng() % 3 ? "\x81\x42\x81\x76" : "\x81\x63\x81\x63\x81\x76";
        w.u8('L');
        std::string l = lowered(text);
        w.bytes(l.data(), l.size() + 1);
    }
    Bytes out = w.take();
    out.resize(size);
    return out;
}

const Bytes& input(int which) {
    static const Bytes inputs[] = {picture565(), pictureJbp(), script(320 << 10), script(256 << 10),
                                   script(1 << 20)};
    return inputs[which];
}
const char* const kInputNames[] = {"picture565", "pictureJbp", "script320K", "script256K",
                                   "script1M"};

Bytes deflate6(const Bytes& in) {
    uLongf n = compressBound(in.size());
    Bytes out(n);
    compress2(out.data(), &n, in.data(), in.size(), 6);
    out.resize(n);
    return out;
}

void label(benchmark::State& state, int which, size_t packed) {
    const Bytes& in = input(which);
    state.SetLabel(kInputNames[which]);
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * in.size()));
    state.counters["size"] = static_cast<double>(packed) / static_cast<double>(in.size());
}

void BM_LzssExpand(benchmark::State& state) {
    int which = static_cast<int>(state.range(0));
    const Bytes& in = input(which);
    Bytes packed = marlit::lzssCompressToVector(in);
    Bytes out(in.size());
    for (auto _ : state) {
        benchmark::DoNotOptimize(marlit::LzssExpand(packed, out));
        benchmark::ClobberMemory();
    }
    if (out != in)
        state.SkipWithError("round trip failed");
    label(state, which, packed.size());
}

void BM_ZlibInflate(benchmark::State& state) {
    int which = static_cast<int>(state.range(0));
    const Bytes& in = input(which);
    Bytes packed = deflate6(in);
    Bytes out(in.size());
    for (auto _ : state) {
        uLongf n = out.size();
        benchmark::DoNotOptimize(uncompress(out.data(), &n, packed.data(), packed.size()));
        benchmark::ClobberMemory();
    }
    if (out != in)
        state.SkipWithError("round trip failed");
    label(state, which, packed.size());
}

void BM_LzssCompress(benchmark::State& state) {
    int which = static_cast<int>(state.range(0));
    const Bytes& in = input(which);
    Bytes out(marlit::lzssBound(in.size()));
    int64_t n = 0;
    for (auto _ : state) {
        n = marlit::LzssCompress(out.data(), in.data(), in.size());
        benchmark::DoNotOptimize(out.data());
        benchmark::ClobberMemory();
    }
    label(state, which, static_cast<size_t>(n));
}

void BM_ZlibDeflate6(benchmark::State& state) {
    int which = static_cast<int>(state.range(0));
    const Bytes& in = input(which);
    Bytes out(compressBound(in.size()));
    uLongf n = 0;
    for (auto _ : state) {
        n = out.size();
        benchmark::DoNotOptimize(compress2(out.data(), &n, in.data(), in.size(), 6));
        benchmark::ClobberMemory();
    }
    label(state, which, n);
}

// Inputs 0-2 side by side for each pair; 3 and 4 show how compression time
// grows from 256 KB to 1 MB of the same kind of text.
BENCHMARK(BM_LzssExpand)->DenseRange(0, 2)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ZlibInflate)->DenseRange(0, 2)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_LzssCompress)->DenseRange(0, 4)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ZlibDeflate6)->DenseRange(0, 2)->Unit(benchmark::kMicrosecond);

}  // namespace
