#include "player/persist/save_thumbnail.h"

#include <algorithm>

#include "base/bytes.h"

namespace marlit {

std::vector<uint8_t> makeThumbnail(const Surface& screen, ThumbnailSize size) {
    const uint32_t pixelBytes = static_cast<uint32_t>(size.width * size.height * 2);
    ByteWriter out;
    out.u8('B');
    out.u8('M');
    out.u32(pixelBytes + 54);
    out.u32(0);
    out.u32(54);
    out.u32(40);
    out.u32(static_cast<uint32_t>(size.width));
    out.u32(static_cast<uint32_t>(size.height));
    out.u16(1);
    out.u16(16);
    out.u32(0);
    out.u32(pixelBytes);
    out.zeros(16);
    // 10-bit fixed-point steps; the box takes the whole source pixels of a
    // step, clipped to the screen.
    const int64_t stepX = static_cast<int64_t>(screen.width) * 1024 / size.width;
    const int64_t stepY = static_cast<int64_t>(screen.height) * 1024 / size.height;
    const int boxW = std::max<int>(1, static_cast<int>(stepX / 1024));
    const int boxH = std::max<int>(1, static_cast<int>(stepY / 1024));
    for (int row = size.height - 1; row >= 0; --row) {
        const int top = static_cast<int>(row * stepY / 1024);
        for (int col = 0; col < size.width; ++col) {
            const int left = static_cast<int>(col * stepX / 1024);
            uint32_t r = 0, g = 0, b = 0, n = 0;
            for (int y = top; y < std::min(top + boxH, screen.height); ++y) {
                const uint8_t* p = screen.pixels + static_cast<size_t>(y) * screen.pitch;
                for (int x = left; x < std::min(left + boxW, screen.width); ++x) {
                    b += p[x * 3];
                    g += p[x * 3 + 1];
                    r += p[x * 3 + 2];
                    ++n;
                }
            }
            if (n) {
                r /= n;
                g /= n;
                b /= n;
            }
            out.u16(static_cast<uint16_t>(((r >> 3) << 11) | ((g >> 2) << 5) | (b >> 3)));
        }
    }
    return out.take();
}

std::optional<ThumbnailPixels> readThumbnail(std::span<const uint8_t> file, std::string* why) {
    auto fail = [&](const char* text) -> std::optional<ThumbnailPixels> {
        if (why)
            *why = text;
        return std::nullopt;
    };
    ByteReader in(file);
    if (in.u8() != 'B' || in.u8() != 'M')
        return fail("the thumbnail does not begin with \"BM\"");
    in.seek(10);
    const uint32_t pixelsAt = in.u32();
    in.seek(18);
    const int32_t width = in.i32();
    const int32_t height = in.i32();
    in.u16();
    const uint16_t bits = in.u16();
    if (!in.ok() || bits != 16 || width <= 0 || height <= 0 || width > 4096 || height > 4096)
        return fail("the thumbnail header is not one of a 16-bit picture of a sane size");
    const size_t need = static_cast<size_t>(width) * static_cast<size_t>(height) * 2;
    if (pixelsAt > file.size() || file.size() - pixelsAt < need)
        return fail("the thumbnail's pixels run past the end of the file");
    ThumbnailPixels out{width, height, std::vector<uint8_t>(need / 2 * 3)};
    for (int row = 0; row < height; ++row) {
        const uint8_t* src = file.data() + pixelsAt +
                             static_cast<size_t>(height - 1 - row) * static_cast<size_t>(width) * 2;
        uint8_t* dst = out.rgb.data() + static_cast<size_t>(row) * static_cast<size_t>(width) * 3;
        for (int x = 0; x < width; ++x) {
            const uint16_t v = loadU16(src + x * 2);
            const uint32_t r = (v >> 11) & 31, g = (v >> 5) & 63, b = v & 31;
            dst[x * 3] = static_cast<uint8_t>((r << 3) | (r >> 2));
            dst[x * 3 + 1] = static_cast<uint8_t>((g << 2) | (g >> 4));
            dst[x * 3 + 2] = static_cast<uint8_t>((b << 3) | (b >> 2));
        }
    }
    return out;
}

}  // namespace marlit
