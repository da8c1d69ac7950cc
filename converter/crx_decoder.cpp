#include "converter/crx_decoder.h"

#include <zlib.h>

#include <algorithm>
#include <array>
#include <memory>

#include "base/bytes.h"
#include "converter/crx_lz.h"
#include "converter/crx_rows.h"

namespace marlit {

namespace {

constexpr size_t kHeaderBytes = 20;
constexpr size_t kInflateSlack = 1u << 20;

bool refuse(std::string* error, const char* why) {
    if (error)
        *error = why;
    return false;
}

// Palette entries as blue, green, red; entries past the palette or past the
// end of the file are black.
struct Palette {
    std::array<uint8_t, 256 * 3> bgr{};

    Palette(std::span<const uint8_t> file, size_t entries, bool redFirst) {
        const size_t usable = std::min({entries, size_t{256}, (file.size() - kHeaderBytes) / 3});
        for (size_t i = 0; i < usable; ++i) {
            const uint8_t* e = file.data() + kHeaderBytes + 3 * i;
            bgr[3 * i + 0] = redFirst ? e[2] : e[0];
            bgr[3 * i + 1] = e[1];
            bgr[3 * i + 2] = redFirst ? e[0] : e[2];
        }
    }
};

// Expands `count` indexes; the pixels after them stay as they are (zero).
void expandIndexes(const uint8_t* indexes, size_t count, const Palette& palette, uint8_t* out) {
    for (size_t i = 0; i < count; ++i) {
        const uint8_t* c = &palette.bgr[3 * size_t{indexes[i]}];
        out[3 * i + 0] = c[0];
        out[3 * i + 1] = c[1];
        out[3 * i + 2] = c[2];
    }
}

// Inflates a zlib stream into at most `capacity` bytes; a stream that is
// damaged or cut short gives what was inflated before.
size_t inflateInto(std::span<const uint8_t> in, uint8_t* out, size_t capacity) {
    z_stream z{};
    if (inflateInit(&z) != Z_OK)
        return 0;
    size_t produced = 0;
    const uint8_t* next = in.data();
    size_t left = in.size();
    for (;;) {
        const uInt inChunk = static_cast<uInt>(std::min<size_t>(left, 1u << 30));
        const uInt outChunk = static_cast<uInt>(std::min<size_t>(capacity - produced, 1u << 30));
        z.next_in = const_cast<Bytef*>(next);
        z.avail_in = inChunk;
        z.next_out = out + produced;
        z.avail_out = outChunk;
        const int rc = inflate(&z, Z_NO_FLUSH);
        next += inChunk - z.avail_in;
        left -= inChunk - z.avail_in;
        produced += outChunk - z.avail_out;
        if (rc != Z_OK || produced == capacity)
            break;
        if (inChunk == z.avail_in && outChunk == z.avail_out)
            break;
    }
    inflateEnd(&z);
    return produced;
}

void decodeLzType(std::span<const uint8_t> file, size_t depthCode, Bitmap& bitmap) {
    const bool indexed = depthCode != 0;
    const size_t paletteBytes = indexed ? 3 * depthCode : 0;
    const size_t dataStart = std::min(file.size(), kHeaderBytes + paletteBytes);
    const std::span<const uint8_t> data = file.subspan(dataStart);
    if (!indexed) {
        decodeCrxLz(data, bitmap.pixels);
        return;
    }
    std::vector<uint8_t> indexes(static_cast<size_t>(bitmap.width) * bitmap.height);
    const size_t produced = decodeCrxLz(data, indexes);
    expandIndexes(indexes.data(), produced, Palette(file, depthCode, true), bitmap.pixels.data());
}

void decodeRowType(std::span<const uint8_t> file, size_t depthCode, Bitmap& bitmap) {
    const bool indexed = depthCode >= 2;
    const size_t bpp = indexed ? 1 : depthCode == 1 ? 4 : 3;
    const size_t stride = (bitmap.width * bpp + 3) & ~size_t{3};
    const size_t dataStart = kHeaderBytes + (indexed ? 3 * depthCode : 0);
    const size_t capacity = (bitmap.height + size_t{1}) * stride + kInflateSlack;
    std::unique_ptr<uint8_t[]> inflated(new uint8_t[capacity]);
    const size_t size = inflateInto(file.subspan(dataStart), inflated.get(), capacity);

    if (indexed) {
        const Palette palette(file, depthCode, false);
        for (int y = 0; y < bitmap.height; ++y) {
            const size_t at = stride * y;
            if (at >= size)
                break;
            const size_t count = std::min<size_t>(bitmap.width, size - at);
            expandIndexes(inflated.get() + at, count, palette, bitmap.row(y));
        }
        return;
    }
    unfilterCrxRows({inflated.get(), size}, bitmap.width, bitmap.height, static_cast<int>(bpp),
                    bitmap.pixels.data());
    if (bpp == 4) {
        // Stored as (255 - alpha, blue, green, red).
        uint8_t* p = bitmap.pixels.data();
        const size_t n = bitmap.pixels.size();
        for (size_t i = 0; i < n; i += 4) {
            const uint8_t a = static_cast<uint8_t>(255 - p[i]);
            p[i] = p[i + 1];
            p[i + 1] = p[i + 2];
            p[i + 2] = p[i + 3];
            p[i + 3] = a;
        }
    }
}

}  // namespace

std::optional<Bitmap> DecodeCrx(std::span<const uint8_t> file, std::string* error) {
    if (file.size() < kHeaderBytes) {
        refuse(error, "shorter than a CRX header");
        return std::nullopt;
    }
    const uint8_t* h = file.data();
    const int width = loadU16(h + 8);
    const int height = loadU16(h + 10);
    const bool rowType = loadU16(h + 12) == 2;
    const size_t depthCode = rowType ? loadU32(h + 16) : loadU16(h + 16);
    if (width == 0 || height == 0) {
        refuse(error, "width or height is 0");
        return std::nullopt;
    }
    const int bpp = rowType && depthCode == 1 ? 4 : 3;
    if (static_cast<size_t>(width) * height * bpp > kMaxCrxBitmapBytes) {
        refuse(error, "picture too large");
        return std::nullopt;
    }
    if (rowType && depthCode >= 2 && depthCode > (file.size() - kHeaderBytes) / 3) {
        refuse(error, "palette does not fit in the file");
        return std::nullopt;
    }
    Bitmap bitmap = makeBitmap(width, height, bpp);
    if (rowType) {
        decodeRowType(file, depthCode, bitmap);
    } else {
        decodeLzType(file, depthCode, bitmap);
    }
    return bitmap;
}

}  // namespace marlit
