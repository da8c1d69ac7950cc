#include "converter/crx_rows.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace marlit {

namespace {

// Filter 4: plane k fills byte k of every pixel. Returns the input read.
size_t decodePlanes(const uint8_t* in, size_t avail, int width, int bpp, uint8_t* row) {
    size_t ip = 0;
    for (int k = 0; k < bpp; ++k) {
        int x = 0;
        while (x < width) {
            if (ip >= avail)
                return ip;
            const uint8_t v = in[ip++];
            row[static_cast<size_t>(x++) * bpp + k] = v;
            if (x == width)
                break;
            if (ip < avail && in[ip] == v) {
                ++ip;
                if (ip >= avail)
                    return ip;
                // A run that would pass the end of the plane is cut there.
                const int n = std::min<int>(in[ip++], width - x);
                for (int i = 0; i < n; ++i)
                    row[static_cast<size_t>(x++) * bpp + k] = v;
            }
        }
    }
    return ip;
}

}  // namespace

void unfilterCrxRows(std::span<const uint8_t> in, int width, int height, int bytesPerPixel,
                     uint8_t* out) {
    const size_t rowBytes = static_cast<size_t>(width) * bytesPerPixel;
    const size_t p = static_cast<size_t>(bytesPerPixel);
    const std::vector<uint8_t> zeros(rowBytes, 0);
    const uint8_t* src = in.data();
    const size_t inSize = in.size();
    size_t ip = 0;
    for (int y = 0; y < height; ++y) {
        if (ip >= inSize)
            return;
        const uint8_t filter = src[ip++];
        uint8_t* row = out + rowBytes * y;
        const uint8_t* above = y > 0 ? row - rowBytes : zeros.data();
        if (filter == 4) {
            ip += decodePlanes(src + ip, inSize - ip, width, bytesPerPixel, row);
            continue;
        }
        if (filter > 4)
            continue;
        // A short last row reconstructs what it has; the rest stays zero.
        const size_t n = std::min(rowBytes, inSize - ip);
        const uint8_t* d = src + ip;
        ip += n;
        const size_t head = std::min(p, n);
        switch (filter) {
            case 0:
                std::memcpy(row, d, head);
                for (size_t i = head; i < n; ++i)
                    row[i] = static_cast<uint8_t>(d[i] + row[i - p]);
                break;
            case 1:
                for (size_t i = 0; i < n; ++i)
                    row[i] = static_cast<uint8_t>(d[i] + above[i]);
                break;
            case 2:
                std::memcpy(row, d, head);
                for (size_t i = head; i < n; ++i) {
                    row[i] = static_cast<uint8_t>(d[i] + above[i - p]);
                }
                break;
            case 3: {
                // The last pixel has nothing above-right and is stored as is.
                const size_t last = rowBytes - p;
                const size_t m = std::min(n, last);
                for (size_t i = 0; i < m; ++i)
                    row[i] = static_cast<uint8_t>(d[i] + above[i + p]);
                if (n > last)
                    std::memcpy(row + last, d + last, n - last);
                break;
            }
        }
    }
}

}  // namespace marlit
