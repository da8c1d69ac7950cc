// Reading an .rbp file into a working picture.
#include <algorithm>

#include "formats/jbp_stream.h"
#include "formats/rbp_codec.h"
#include "formats/rbp_image.h"

namespace marlit {
namespace {

inline void putColour(uint8_t* px, uint16_t v) {
    px[0] = blue565(v);
    px[1] = green565(v);
    px[2] = red565(v);
}

// The alpha byte of kinds 1 and 11: version '1' files store 6-bit alpha.
inline uint8_t widenAlpha(uint8_t a, bool sixBit) {
    if (a == 0)
        return 0;
    // 4a + 3 passes 255 from a = 64 on; such bytes mean opaque.
    if (sixBit)
        return static_cast<uint8_t>(std::min(a * 4 + 3, 255));
    return static_cast<uint8_t>(a | 3);
}

bool readUncompressed(const RbpHeader& h, std::span<const uint8_t> payload, bool colourKey,
                      WorkingPicture& pic) {
    const bool withAlpha = h.kind != kRbpOpaque;
    const size_t step = withAlpha ? 3 : 2;
    const size_t count = static_cast<size_t>(pic.width) * pic.height;
    if (payload.size() / step < count)
        return false;
    pic.pixels.resize(count * kWorkingBytesPerPixel);
    const bool sixBit = h.version == '1';
    const uint8_t* in = payload.data();
    uint8_t* px = pic.pixels.data();
    for (size_t i = 0; i < count; ++i, in += step, px += kWorkingBytesPerPixel) {
        uint16_t v = static_cast<uint16_t>(in[0] | (in[1] << 8));
        putColour(px, v);
        if (withAlpha) {
            px[3] = widenAlpha(in[2], sixBit);
        } else {
            px[3] = colourKey && v == kRgb565Key ? 0 : 255;
        }
    }
    return true;
}

bool readJbp(const RbpHeader& h, std::span<const uint8_t> payload, WorkingPicture& pic) {
    if (h.jbpSize > payload.size())
        return false;
    auto stream = payload.first(h.jbpSize);
    // A stream smaller than the picture would leave pixels undecoded.
    auto jh = parseJbpHeader(stream);
    if (!jh || jh->width < h.width || jh->height < h.height)
        return false;
    const size_t count = static_cast<size_t>(pic.width) * pic.height;
    std::span<const uint8_t> alpha;
    if (h.kind == kRbpJbpAlpha) {
        alpha = payload.subspan(h.jbpSize);
        if (alpha.size() < count)
            return false;
    }
    auto decoded = DecodeJbp(stream);
    if (!decoded)
        return false;
    pic.pixels.resize(count * kWorkingBytesPerPixel);
    uint8_t* px = pic.pixels.data();
    for (int y = 0; y < pic.height; ++y) {
        const uint16_t* row =
            decoded->pixels.data() + static_cast<size_t>(y) * decoded->paddedWidth;
        for (int x = 0; x < pic.width; ++x, px += kWorkingBytesPerPixel) {
            putColour(px, row[x]);
            px[3] = alpha.empty() ? 255 : alpha[static_cast<size_t>(y) * pic.width + x];
        }
    }
    return true;
}

}  // namespace

std::optional<WorkingPicture> decodeRbp(std::span<const uint8_t> file, bool colourKey) {
    auto h = parseRbpHeader(file);
    if (!h || h->payloadOffset > file.size())
        return std::nullopt;
    const uint64_t count = uint64_t{h->width} * h->height;
    if (count > kWorkingPictureMaxPixels)
        return std::nullopt;
    WorkingPicture pic;
    pic.width = static_cast<int>(h->width);
    pic.height = static_cast<int>(h->height);
    pic.sourceWidth = h->sourceWidth;
    pic.sourceHeight = h->sourceHeight;
    pic.marker = colourKey ? kWorkingPictureKeyed : 0;
    // Each reader allocates the pixels only once the data has proved to
    // hold them, so a few bytes cannot ask for a large picture.
    auto payload = file.subspan(h->payloadOffset);
    bool ok = true;
    switch (h->kind) {
        case kRbpAlpha:
        case kRbpAlphaOld:
        case kRbpOpaque:
            ok = readUncompressed(*h, payload, colourKey, pic);
            break;
        case kRbpJbp:
        case kRbpJbpAlpha:
            ok = readJbp(*h, payload, pic);
            break;
        default:
            // Zeros: a kind this reader does not know gives a clear picture.
            pic.pixels.assign(count * kWorkingBytesPerPixel, 0);
            break;
    }
    if (!ok)
        return std::nullopt;
    return pic;
}

}  // namespace marlit
