#include "converter/crx_lz.h"

#include <algorithm>

namespace marlit {

namespace {
constexpr size_t kHistory = 65536;
}

size_t decodeCrxLz(std::span<const uint8_t> in, std::span<uint8_t> out) {
    const uint8_t* src = in.data();
    const size_t inSize = in.size();
    uint8_t* dst = out.data();
    const size_t outSize = out.size();
    size_t ip = 0;
    size_t op = 0;
    // The whole output serves as the history: it holds the last 64 KiB the
    // ring would, and nothing is kept twice.
    unsigned flags = 0;
    while (op < outSize) {
        flags >>= 1;
        if ((flags & 0x100) == 0) {
            if (ip >= inSize)
                break;
            flags = src[ip++] | 0xFF00u;
        }
        if (flags & 1) {
            if (ip >= inSize)
                break;
            dst[op++] = src[ip++];
            continue;
        }
        if (ip >= inSize)
            break;
        const unsigned e = src[ip++];
        size_t length;
        size_t distance;
        if (e >= 0xC0) {
            if (ip >= inSize)
                break;
            length = ((e >> 2) & 0x0F) + 4;
            distance = ((e & 0x03) << 8) | src[ip++];
        } else if (e >= 0x80) {
            length = ((e >> 5) & 0x03) + 2;
            distance = e & 0x1F;
            if (distance == 0) {
                if (ip >= inSize)
                    break;
                distance = src[ip++];
            }
        } else if (e == 0x7F) {
            if (inSize - ip < 4)
                break;
            length = static_cast<size_t>(src[ip] | (src[ip + 1] << 8)) + 2;
            distance = static_cast<size_t>(src[ip + 2] | (src[ip + 3] << 8));
            ip += 4;
        } else {
            if (inSize - ip < 2)
                break;
            length = e + 4;
            distance = static_cast<size_t>(src[ip] | (src[ip + 1] << 8));
            ip += 2;
        }
        if (distance == 0)
            distance = kHistory;
        length = std::min(length, outSize - op);
        // Bytes before the start of the stream come from the zeroed history.
        while (length > 0 && op < distance) {
            dst[op++] = 0;
            --length;
        }
        const uint8_t* from = dst + op - distance;
        if (distance >= length) {
            std::copy(from, from + length, dst + op);
            op += length;
        } else {
            for (size_t i = 0; i < length; ++i)
                dst[op + i] = from[i];
            op += length;
        }
    }
    return op;
}

}  // namespace marlit
