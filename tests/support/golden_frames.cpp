#include "tests/support/golden_frames.h"

#include <algorithm>

#include <cinttypes>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "base/png.h"

namespace marlit::test {

namespace {

constexpr int kTile = 32;

uint64_t fnv(uint64_t h, const uint8_t* p, size_t n) {
    for (size_t i = 0; i < n; ++i)
        h = (h ^ p[i]) * 0x100000001B3ull;
    return h;
}

PngImage rgbOf(const FrameView& frame) {
    PngImage image;
    image.width = frame.width;
    image.height = frame.height;
    image.channels = 3;
    image.pixels.resize(static_cast<size_t>(frame.width) * frame.height * 3);
    for (int y = 0; y < frame.height; ++y) {
        for (int x = 0; x < frame.width; ++x) {
            const uint8_t* s = frame.pixels + static_cast<size_t>(y) * frame.pitch + x * 3;
            uint8_t* d = &image.pixels[(static_cast<size_t>(y) * frame.width + x) * 3];
            d[0] = s[2];
            d[1] = s[1];
            d[2] = s[0];
        }
    }
    return image;
}

// The actual frame, dimmed, with every tile that changed tinted red and
// outlined.
PngImage differenceOf(const FrameView& frame, const FrameDigest& expected,
                      const FrameDigest& actual) {
    PngImage image = rgbOf(frame);
    const int columns = (frame.width + kTile - 1) / kTile;
    for (int y = 0; y < frame.height; ++y) {
        for (int x = 0; x < frame.width; ++x) {
            const size_t t = static_cast<size_t>(y / kTile) * columns + x / kTile;
            const bool changed = t >= expected.tiles.size() || expected.tiles[t] != actual.tiles[t];
            uint8_t* p = &image.pixels[(static_cast<size_t>(y) * frame.width + x) * 3];
            const bool edge = x % kTile == 0 || y % kTile == 0;
            if (changed) {
                p[0] = edge ? 255 : static_cast<uint8_t>(128 + p[0] / 2);
                p[1] = edge ? 0 : static_cast<uint8_t>(p[1] / 2);
                p[2] = edge ? 0 : static_cast<uint8_t>(p[2] / 2);
            } else {
                for (int i = 0; i < 3; ++i)
                    p[i] = static_cast<uint8_t>(p[i] / 3);
            }
        }
    }
    return image;
}

std::string hex(uint64_t v, int digits) {
    char buf[20];
    std::snprintf(buf, sizeof buf, "%0*" PRIx64, digits, v);
    return buf;
}

}  // namespace

FrameDigest digestOf(const FrameView& frame) {
    FrameDigest d;
    d.whole = 0xCBF29CE484222325ull;
    for (int y = 0; y < frame.height; ++y) {
        d.whole =
            fnv(d.whole, frame.pixels + static_cast<size_t>(y) * frame.pitch, frame.width * 3u);
    }
    for (int ty = 0; ty < frame.height; ty += kTile) {
        for (int tx = 0; tx < frame.width; tx += kTile) {
            uint64_t h = 0xCBF29CE484222325ull;
            const int w = std::min(kTile, frame.width - tx);
            for (int y = ty; y < std::min(ty + kTile, frame.height); ++y) {
                h = fnv(h, frame.pixels + static_cast<size_t>(y) * frame.pitch + tx * 3, w * 3u);
            }
            d.tiles.push_back(static_cast<uint32_t>(h ^ (h >> 32)));
        }
    }
    return d;
}

GoldenBook::GoldenBook(std::string path) : path_(std::move(path)) {
    const char* update = std::getenv("MARLIT_UPDATE_GOLDEN");
    update_ = update && std::string(update) == "1";
    if (const char* png = std::getenv("MARLIT_GOLDEN_PNG"))
        pngFolder_ = png;
    std::ifstream in(path_);
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream fields(line);
        std::string name, whole, tiles;
        if (!(fields >> name >> whole >> tiles))
            continue;
        FrameDigest d;
        d.whole = std::strtoull(whole.c_str(), nullptr, 16);
        std::istringstream list(tiles);
        std::string tile;
        while (std::getline(list, tile, ',')) {
            d.tiles.push_back(static_cast<uint32_t>(std::strtoul(tile.c_str(), nullptr, 16)));
        }
        digests_[name] = d;
    }
}

GoldenBook::~GoldenBook() {
    if (!update_)
        return;
    std::ofstream out(path_, std::ios::trunc);
    for (const auto& [name, d] : digests_) {
        out << name << ' ' << hex(d.whole, 16) << ' ';
        for (size_t i = 0; i < d.tiles.size(); ++i)
            out << (i ? "," : "") << hex(d.tiles[i], 8);
        out << '\n';
    }
}

bool GoldenBook::check(const std::string& name, const FrameView& frame, std::string* message) {
    const FrameDigest actual = digestOf(frame);
    if (!pngFolder_.empty()) {
        std::filesystem::create_directories(pngFolder_);
        writePng(pngFolder_ + "/" + name + ".png", rgbOf(frame));
    }
    if (update_) {
        digests_[name] = actual;
        return true;
    }
    auto found = digests_.find(name);
    if (found != digests_.end() && found->second == actual)
        return true;
    std::filesystem::create_directories("golden_failures");
    const std::string base = std::filesystem::absolute("golden_failures").string() + "/" + name;
    writePng(base + ".png", rgbOf(frame));
    const FrameDigest none;
    writePng(base + ".diff.png",
             differenceOf(frame, found != digests_.end() ? found->second : none, actual));
    *message =
        name +
        (found == digests_.end() ? ": no golden digest" : ": differs from its golden digest") +
        "; actual frame " + base + ".png, difference " + base + ".diff.png";
    return false;
}

}  // namespace marlit::test
