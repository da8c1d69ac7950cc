#include "tools/crx/crx_writer.h"

#include <zlib.h>

#include <algorithm>
#include <cstdlib>
#include <map>

#include "base/bytes.h"

namespace marlit::crx {

namespace {

bool refuse(std::string* error, const char* why) {
    if (error)
        *error = why;
    return false;
}

// One row of direct colour in its stored byte order: 32-bit pixels as
// (255 - alpha, blue, green, red).
std::vector<uint8_t> storedRow(const CrxPicture& picture, int y, int bpp) {
    const size_t rowBytes = static_cast<size_t>(picture.width) * bpp;
    std::vector<uint8_t> row(picture.pixels.begin() + rowBytes * y,
                             picture.pixels.begin() + rowBytes * (y + 1));
    if (bpp == 4) {
        for (size_t i = 0; i < rowBytes; i += 4) {
            const uint8_t b = row[i], g = row[i + 1], r = row[i + 2], a = row[i + 3];
            row[i] = static_cast<uint8_t>(255 - a);
            row[i + 1] = b;
            row[i + 2] = g;
            row[i + 3] = r;
        }
    }
    return row;
}

// The inverse of the decoder's filters 0-3 (top row: the row above is zero).
std::vector<uint8_t> residuals(const std::vector<uint8_t>& row, const std::vector<uint8_t>& above,
                               int filter, size_t p) {
    const size_t n = row.size();
    std::vector<uint8_t> out(n);
    for (size_t i = 0; i < n; ++i) {
        uint8_t predicted = 0;
        switch (filter) {
            case 0:
                predicted = i < p ? 0 : row[i - p];
                break;
            case 1:
                predicted = above[i];
                break;
            case 2:
                predicted = i < p ? 0 : above[i - p];
                break;
            case 3:
                predicted = i + p >= n ? 0 : above[i + p];
                break;
        }
        out[i] = static_cast<uint8_t>(row[i] - predicted);
    }
    return out;
}

// Filter 4: each channel plane run-length coded. A value that repeats is
// always written as a run, since the decoder reads a repeated byte as one.
std::vector<uint8_t> planes(const std::vector<uint8_t>& row, int width, size_t p) {
    std::vector<uint8_t> out;
    for (size_t k = 0; k < p; ++k) {
        int x = 0;
        while (x < width) {
            const uint8_t v = row[x * p + k];
            out.push_back(v);
            ++x;
            if (x == width)
                break;
            int run = 0;
            while (x + run < width && run < 255 && row[(x + run) * p + k] == v)
                ++run;
            if (run > 0) {
                out.push_back(v);
                out.push_back(static_cast<uint8_t>(run));
                x += run;
            }
        }
    }
    return out;
}

size_t cost(const std::vector<uint8_t>& r) {
    size_t sum = 0;
    for (uint8_t b : r)
        sum += static_cast<size_t>(std::abs(static_cast<int8_t>(b)));
    return sum;
}

std::vector<uint8_t> filteredRows(const CrxPicture& picture, int bpp, int fixedFilter) {
    const size_t rowBytes = static_cast<size_t>(picture.width) * bpp;
    std::vector<uint8_t> out;
    std::vector<uint8_t> above(rowBytes, 0);
    for (int y = 0; y < picture.height; ++y) {
        const std::vector<uint8_t> row = storedRow(picture, y, bpp);
        int filter = fixedFilter;
        std::vector<uint8_t> body;
        if (filter == 4) {
            body = planes(row, picture.width, bpp);
        } else if (filter >= 0) {
            body = residuals(row, above, filter, bpp);
        } else {
            // Smallest residuals, unless runs make the row far shorter.
            size_t best = SIZE_MAX;
            for (int f = 0; f < 4; ++f) {
                std::vector<uint8_t> r = residuals(row, above, f, bpp);
                const size_t c = cost(r);
                if (c < best) {
                    best = c;
                    filter = f;
                    body = std::move(r);
                }
            }
            std::vector<uint8_t> runs = planes(row, picture.width, bpp);
            if (runs.size() * 16 <= rowBytes) {
                filter = 4;
                body = std::move(runs);
            }
        }
        out.push_back(static_cast<uint8_t>(filter));
        out.insert(out.end(), body.begin(), body.end());
        above = row;
    }
    return out;
}

std::vector<uint8_t> deflateAll(const std::vector<uint8_t>& data) {
    uLongf size = compressBound(static_cast<uLong>(data.size()));
    std::vector<uint8_t> out(size);
    compress2(out.data(), &size, data.data(), static_cast<uLong>(data.size()),
              Z_DEFAULT_COMPRESSION);
    out.resize(size);
    return out;
}

}  // namespace

std::optional<std::vector<uint8_t>> writeCrx(const CrxPicture& picture,
                                             const CrxWriteOptions& options, std::string* error,
                                             LzFormCounts* counts) {
    const bool lz = options.compression == CrxCompression::Lz;
    const bool indexed = picture.depth == CrxDepth::Indexed;
    const int bpp = indexed ? 1 : picture.depth == CrxDepth::Rgba32 ? 4 : 3;
    if (picture.width < 1 || picture.width > 65535 || picture.height < 1 ||
        picture.height > 65535) {
        refuse(error, "width and height must be 1 to 65535");
        return std::nullopt;
    }
    if (picture.pixels.size() != static_cast<size_t>(picture.width) * picture.height * bpp) {
        refuse(error, "pixel data does not match the size");
        return std::nullopt;
    }
    if (lz && picture.depth == CrxDepth::Rgba32) {
        refuse(error, "the LZ type has no alpha channel");
        return std::nullopt;
    }
    if (options.filter < -1 || options.filter > 4) {
        refuse(error, "filters are 0 to 4");
        return std::nullopt;
    }
    size_t entries = picture.palette.size() / 3;
    if (indexed) {
        if (entries == 0) {
            refuse(error, "an indexed picture needs a palette");
            return std::nullopt;
        }
        if (entries > 65535) {
            refuse(error, "more than 65535 palette entries");
            return std::nullopt;
        }
        // Depth codes 0 and 1 of the zlib type are no palette sizes.
        if (!lz)
            entries = std::max<size_t>(entries, 2);
    }

    ByteWriter w;
    w.zeros(8);
    w.u16(static_cast<uint16_t>(picture.width));
    w.u16(static_cast<uint16_t>(picture.height));
    w.u16(lz ? 1 : 2);
    w.u16(0);
    const uint32_t depthCode = indexed                             ? static_cast<uint32_t>(entries)
                               : picture.depth == CrxDepth::Rgba32 ? 1
                                                                   : 0;
    if (lz) {
        w.u16(static_cast<uint16_t>(depthCode));
        w.u16(0);
    } else {
        w.u32(depthCode);
    }
    for (size_t i = 0; indexed && i < entries; ++i) {
        const uint8_t* c = i * 3 < picture.palette.size() ? &picture.palette[i * 3] : nullptr;
        const uint8_t b = c ? c[0] : 0, g = c ? c[1] : 0, r = c ? c[2] : 0;
        // The LZ type keeps red first, the zlib type blue first.
        w.u8(lz ? r : b);
        w.u8(g);
        w.u8(lz ? b : r);
    }

    if (lz) {
        w.bytes(lzCompress(picture.pixels, counts));
    } else if (indexed) {
        const size_t stride = (static_cast<size_t>(picture.width) + 3) & ~size_t{3};
        std::vector<uint8_t> rows(stride * picture.height, 0);
        for (int y = 0; y < picture.height; ++y) {
            std::copy_n(picture.pixels.begin() + static_cast<size_t>(picture.width) * y,
                        picture.width, rows.begin() + stride * y);
        }
        w.bytes(deflateAll(rows));
    } else {
        w.bytes(deflateAll(filteredRows(picture, bpp, options.filter)));
    }
    return w.take();
}

CrxPicture directPicture(const Bitmap& bitmap) {
    CrxPicture p;
    p.width = bitmap.width;
    p.height = bitmap.height;
    p.depth = bitmap.bytesPerPixel == 4 ? CrxDepth::Rgba32 : CrxDepth::Rgb24;
    p.pixels = bitmap.pixels;
    return p;
}

std::optional<CrxPicture> indexedPicture(const Bitmap& bitmap) {
    CrxPicture p;
    p.width = bitmap.width;
    p.height = bitmap.height;
    p.depth = CrxDepth::Indexed;
    const size_t count = static_cast<size_t>(bitmap.width) * bitmap.height;
    p.pixels.resize(count);
    std::map<uint32_t, uint8_t> indexOf;
    for (size_t i = 0; i < count; ++i) {
        const uint8_t* s = &bitmap.pixels[i * bitmap.bytesPerPixel];
        const uint32_t colour = s[0] | (s[1] << 8) | (s[2] << 16);
        auto it = indexOf.find(colour);
        if (it == indexOf.end()) {
            if (indexOf.size() == 256)
                return std::nullopt;
            it = indexOf.emplace(colour, static_cast<uint8_t>(indexOf.size())).first;
            p.palette.insert(p.palette.end(), {s[0], s[1], s[2]});
        }
        p.pixels[i] = it->second;
    }
    return p;
}

}  // namespace marlit::crx
