// The compressor: a binary search tree over the ring positions finds the
// longest earlier match of the look-ahead, so each step costs a tree walk
// rather than a scan of the whole ring.
#include <bit>
#include <cstring>

#include "formats/lzss.h"

namespace marlit {
namespace {

constexpr int kRing = static_cast<int>(kLzssRingSize);
constexpr int kMax = static_cast<int>(kLzssMaxMatch);
constexpr int kMask = kRing - 1;
// Node kRing is "no node"; nodes kRing + 1 + c are the roots for byte c,
// whose trees hang off their right links.
constexpr int kNil = kRing;
constexpr int kNodes = kRing + 257;

// The length of the common prefix of two 17-byte keys whose first bytes
// are equal, 8 bytes at a time: the first differing byte of the key is the
// lowest differing byte of a little-endian word.
inline int commonPrefix(const uint8_t* a, const uint8_t* b) {
    for (int at = 1; at < kMax; at += 8) {
        uint64_t x, y;
        std::memcpy(&x, a + at, 8);
        std::memcpy(&y, b + at, 8);
        if (x != y) {
            int bit = std::endian::native == std::endian::little ? std::countr_zero(x ^ y)
                                                                 : std::countl_zero(x ^ y);
            return at + bit / 8;
        }
    }
    return kMax;
}

class MatchTree {
  public:
    MatchTree() {
        // The ring's first 2031 positions start as zeros; the mirror of
        // positions 0-15 behind the end lets a key run past position 2047.
        std::memset(ring_, 0, sizeof(ring_));
        for (int i = 0; i < kNodes; ++i) {
            left_[i] = right_[i] = parent_[i] = kNil;
        }
    }

    uint8_t* ring() { return ring_; }
    void store(int pos, uint8_t c) {
        ring_[pos] = c;
        if (pos < kMax - 1)
            ring_[pos + kRing] = c;
    }
    int matchPosition() const { return matchPos_; }
    int matchLength() const { return matchLen_; }

    // Inserts position p, keyed by the 17 bytes that start there, and finds
    // the longest match among the positions already in the tree.
    void insert(int p) {
        const uint8_t* key = ring_ + p;
        int node = kRing + 1 + key[0];
        int cmp = 1;
        int best = 0;
        left_[p] = right_[p] = kNil;
        for (;;) {
            uint16_t* next = cmp >= 0 ? &right_[node] : &left_[node];
            if (*next == kNil) {
                *next = static_cast<uint16_t>(p);
                parent_[p] = static_cast<uint16_t>(node);
                matchLen_ = best;
                return;
            }
            node = *next;
            const uint8_t* other = ring_ + node;
            int i = commonPrefix(key, other);
            cmp = i < kMax ? key[i] - other[i] : 0;
            if (i > best) {
                matchPos_ = node;
                best = i;
                if (i >= kMax)
                    break;
            }
        }
        matchLen_ = best;
        // Same key: the newer position takes the old one's place.
        parent_[p] = parent_[node];
        left_[p] = left_[node];
        right_[p] = right_[node];
        parent_[left_[node]] = static_cast<uint16_t>(p);
        parent_[right_[node]] = static_cast<uint16_t>(p);
        replaceChild(node, p);
        parent_[node] = kNil;
    }

    void remove(int p) {
        if (parent_[p] == kNil)
            return;
        int q;
        if (right_[p] == kNil) {
            q = left_[p];
        } else if (left_[p] == kNil) {
            q = right_[p];
        } else {
            // Two children: the in-order predecessor takes p's place.
            q = left_[p];
            if (right_[q] != kNil) {
                while (right_[q] != kNil)
                    q = right_[q];
                right_[parent_[q]] = left_[q];
                parent_[left_[q]] = parent_[q];
                left_[q] = left_[p];
                parent_[left_[p]] = static_cast<uint16_t>(q);
            }
            right_[q] = right_[p];
            parent_[right_[p]] = static_cast<uint16_t>(q);
        }
        parent_[q] = parent_[p];
        replaceChild(p, q);
        parent_[p] = kNil;
    }

  private:
    void replaceChild(int old, int now) {
        int up = parent_[old];
        if (right_[up] == old) {
            right_[up] = static_cast<uint16_t>(now);
        } else {
            left_[up] = static_cast<uint16_t>(now);
        }
    }

    uint8_t ring_[kRing + kMax - 1];
    uint16_t left_[kNodes];
    uint16_t right_[kNodes];
    uint16_t parent_[kNodes];
    int matchPos_ = 0;
    int matchLen_ = 0;
};

}  // namespace

int64_t LzssCompress(uint8_t* dst, const uint8_t* src, size_t length) {
    if (length == 0)
        return -1;
    MatchTree tree;
    uint8_t* out = dst;
    size_t in = 0;
    int s = 0;
    int r = kRing - kMax;
    int ahead = 0;
    while (ahead < kMax && in < length)
        tree.store(r + ahead++, src[in++]);
    for (int i = 1; i <= kMax; ++i)
        tree.insert(r - i);
    tree.insert(r);

    uint8_t group[1 + 2 * 8];
    group[0] = 0;
    int groupLen = 1;
    unsigned mask = 1;
    do {
        int len = tree.matchLength();
        if (len > ahead)
            len = ahead;
        if (len < static_cast<int>(kLzssMinMatch)) {
            len = 1;
            group[0] |= static_cast<uint8_t>(mask);
            group[groupLen++] = tree.ring()[r];
        } else {
            int pos = tree.matchPosition();
            group[groupLen++] = static_cast<uint8_t>(pos & 0xFF);
            group[groupLen++] = static_cast<uint8_t>(((pos >> 8) << 4) | (len - 2));
        }
        mask <<= 1;
        if (mask == 0x100) {
            std::memcpy(out, group, groupLen);
            out += groupLen;
            group[0] = 0;
            groupLen = 1;
            mask = 1;
        }
        int step = 0;
        for (; step < len && in < length; ++step) {
            tree.remove(s);
            tree.store(s, src[in++]);
            s = (s + 1) & kMask;
            r = (r + 1) & kMask;
            tree.insert(r);
        }
        for (; step < len; ++step) {
            tree.remove(s);
            s = (s + 1) & kMask;
            r = (r + 1) & kMask;
            if (--ahead > 0)
                tree.insert(r);
        }
    } while (ahead > 0);
    if (groupLen > 1) {
        std::memcpy(out, group, groupLen);
        out += groupLen;
    }
    return out - dst;
}

std::vector<uint8_t> lzssCompressToVector(std::span<const uint8_t> src) {
    std::vector<uint8_t> out(lzssBound(src.size()));
    int64_t n = LzssCompress(out.data(), src.data(), src.size());
    out.resize(n < 0 ? 0 : static_cast<size_t>(n));
    return out;
}

}  // namespace marlit
