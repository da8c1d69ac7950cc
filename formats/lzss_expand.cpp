// The expander works on the output itself instead of a ring: the ring always
// holds the last 2048 bytes produced (zeros before the first), so a match at
// ring position p, read while the write position is r, is a copy from
// distance ((r - p - 1) mod 2048) + 1 back. Byte by byte semantics are kept:
// a copy whose source overlaps what it writes repeats bytes.
#include <cstring>

#include "formats/lzss.h"

namespace marlit {
namespace {

constexpr size_t kMask = kLzssRingSize - 1;
// Worst output of one group: 8 matches of 17 bytes.
constexpr size_t kGroupOut = 8 * kLzssMaxMatch;
// Wide copies may write up to this many bytes past a match's end.
constexpr size_t kCopySlack = 8;
// Worst input of one group: a flag byte and 8 matches.
constexpr size_t kGroupIn = 1 + 8 * 2;

// The distance back from output offset `produced` of ring position `pos`.
inline size_t distanceOf(size_t produced, size_t pos) {
    size_t r = (kLzssStartPosition + produced) & kMask;
    return ((r - pos - 1) & kMask) + 1;
}

inline size_t positionOf(uint8_t b0, uint8_t b1) {
    // The high nibble gives four bits; only three address the ring.
    return (b0 | (static_cast<size_t>(b1 & 0xF0) << 4)) & kMask;
}

inline void copy8(uint8_t* dst, const uint8_t* src) {
    std::memcpy(dst, src, 8);
}

// Copies len bytes from dist back, where all of them lie inside the output
// and there are len + kCopySlack bytes of room.
inline void copyMatchWide(uint8_t* op, size_t dist, size_t len) {
    const uint8_t* src = op - dist;
    if (dist >= 8) {
        // Each 8-byte chunk reads only bytes written before it.
        copy8(op, src);
        copy8(op + 8, src + 8);
        if (len > 16)
            copy8(op + 16, src + 16);
    } else if (dist == 1) {
        std::memset(op, *src, 24);
    } else {
        for (size_t i = 0; i < len; ++i)
            op[i] = src[i];
    }
}

// The general copy: handles distances reaching before the output (zeros)
// and stops at the end of the output. Returns the bytes written.
size_t copyMatchCareful(uint8_t* begin, size_t produced, size_t dist, size_t len, size_t room) {
    if (len > room)
        len = room;
    uint8_t* op = begin + produced;
    for (size_t i = 0; i < len; ++i) {
        size_t at = produced + i;
        op[i] = at >= dist ? begin[at - dist] : 0;
    }
    return len;
}

}  // namespace

size_t LzssExpand(std::span<const uint8_t> in, std::span<uint8_t> out) {
    const uint8_t* ip = in.data();
    const uint8_t* const iend = ip + in.size();
    uint8_t* const obegin = out.data();
    uint8_t* op = obegin;
    uint8_t* const oend = obegin + out.size();

    // Whole groups while both sides have room for the worst case.
    while (static_cast<size_t>(iend - ip) >= kGroupIn &&
           static_cast<size_t>(oend - op) >= kGroupOut + kCopySlack) {
        unsigned flags = *ip++;
        if (flags == 0xFF) {
            copy8(op, ip);
            op += 8;
            ip += 8;
            continue;
        }
        for (int k = 0; k < 8; ++k, flags >>= 1) {
            if (flags & 1) {
                *op++ = *ip++;
                continue;
            }
            size_t pos = positionOf(ip[0], ip[1]);
            size_t len = (ip[1] & 0x0F) + kLzssMinMatch;
            ip += 2;
            size_t produced = static_cast<size_t>(op - obegin);
            size_t dist = distanceOf(produced, pos);
            if (dist <= produced) {
                copyMatchWide(op, dist, len);
            } else {
                copyMatchCareful(obegin, produced, dist, len, len);
            }
            op += len;
        }
    }

    // The tail, item by item with every bound checked.
    while (ip < iend && op < oend) {
        unsigned flags = *ip++;
        for (int k = 0; k < 8 && op < oend; ++k, flags >>= 1) {
            if (flags & 1) {
                if (ip >= iend)
                    return static_cast<size_t>(op - obegin);
                *op++ = *ip++;
                continue;
            }
            if (iend - ip < 2)
                return static_cast<size_t>(op - obegin);
            size_t pos = positionOf(ip[0], ip[1]);
            size_t len = (ip[1] & 0x0F) + kLzssMinMatch;
            ip += 2;
            size_t produced = static_cast<size_t>(op - obegin);
            op += copyMatchCareful(obegin, produced, distanceOf(produced, pos), len,
                                   static_cast<size_t>(oend - op));
        }
    }
    return static_cast<size_t>(op - obegin);
}

}  // namespace marlit
