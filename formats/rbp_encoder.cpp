// Writing .rbp files: the uncompressed kinds and the JbpStream kinds.
#include <limits>

#include "base/bytes.h"
#include "formats/jbp_stream.h"
#include "formats/rbp_codec.h"
#include "formats/rbp_image.h"

namespace marlit {
namespace {

constexpr int kJbpQualities[kRbpQualityCount] = {0, 100, 90, 80};

bool fitsI16(int v) {
    return v >= std::numeric_limits<int16_t>::min() && v <= std::numeric_limits<int16_t>::max();
}

RbpHeader headerFor(const PictureView& p, uint32_t kind) {
    RbpHeader h;
    h.version = kind == kRbpJbp || kind == kRbpJbpAlpha ? '7' : '5';
    h.kind = kind;
    h.width = static_cast<uint32_t>(p.width);
    h.height = static_cast<uint32_t>(p.height);
    h.sourceWidth = static_cast<int16_t>(p.sourceWidth);
    h.sourceHeight = static_cast<int16_t>(p.sourceHeight);
    return h;
}

// RGB565 words, each followed by its alpha byte for 32-bit pictures.
void appendUncompressed(ByteWriter& out, const PictureView& p) {
    const size_t count = static_cast<size_t>(p.width) * p.height;
    const uint8_t* px = p.pixels.data();
    for (size_t i = 0; i < count; ++i, px += p.bytesPerPixel) {
        out.u16(packRgb565(px[2], px[1], px[0]));
        if (p.bytesPerPixel == 4)
            out.u8(px[3]);
    }
}

}  // namespace

std::optional<std::vector<uint8_t>> EncodeRbp(const PictureView& picture, int quality) {
    if (!picture.valid() || quality < 0 || quality >= kRbpQualityCount ||
        !fitsI16(picture.sourceWidth) || !fitsI16(picture.sourceHeight)) {
        return std::nullopt;
    }
    const bool alpha = picture.bytesPerPixel == 4;
    if (quality != 0) {
        // Small pictures and pictures the stream cannot hold fall back to
        // the uncompressed kind.
        if (auto stream = EncodeJbp(picture, kJbpQualities[quality])) {
            RbpHeader h = headerFor(picture, alpha ? kRbpJbpAlpha : kRbpJbp);
            h.jbpSize = static_cast<uint32_t>(stream->size());
            ByteWriter out;
            out.bytes(encodeRbpHeader(h));
            out.bytes(*stream);
            if (alpha) {
                const size_t count = static_cast<size_t>(picture.width) * picture.height;
                for (size_t i = 0; i < count; ++i)
                    out.u8(picture.pixels[i * 4 + 3]);
            }
            return out.take();
        }
    }
    ByteWriter out;
    out.bytes(encodeRbpHeader(headerFor(picture, alpha ? kRbpAlpha : kRbpOpaque)));
    appendUncompressed(out, picture);
    return out.take();
}

std::optional<std::vector<uint8_t>> encodeChipRbp(const PictureView& picture) {
    if (!picture.valid() || picture.bytesPerPixel != 3 || !fitsI16(picture.width) ||
        !fitsI16(picture.height)) {
        return std::nullopt;
    }
    RbpHeader h = headerFor(picture, kRbpOpaque);
    h.signature[0] = 'M';
    h.version = '1';
    h.sourceWidth = static_cast<int16_t>(picture.width);
    h.sourceHeight = static_cast<int16_t>(picture.height);
    ByteWriter out;
    out.bytes(encodeRbpHeader(h));
    appendUncompressed(out, picture);
    return out.take();
}

}  // namespace marlit
