#include "tools/crx/crx_lz_writer.h"

#include <algorithm>

namespace marlit::crx {

void LzTokenWriter::flag(bool isLiteral) {
    if (flagBits_ == 8) {
        flagAt_ = out_.size();
        out_.push_back(0);
        flagBits_ = 0;
    }
    if (isLiteral)
        out_[flagAt_] |= static_cast<uint8_t>(1u << flagBits_);
    ++flagBits_;
}

void LzTokenWriter::literal(uint8_t byte) {
    flag(true);
    out_.push_back(byte);
    ++counts_.literals;
}

bool LzTokenWriter::match(LzForm form, size_t length, size_t distance) {
    auto u16 = [this](size_t v) {
        out_.push_back(static_cast<uint8_t>(v));
        out_.push_back(static_cast<uint8_t>(v >> 8));
    };
    switch (form) {
        case LzForm::Near:
            if (length < 4 || length > 19 || distance > 1023)
                return false;
            flag(false);
            out_.push_back(static_cast<uint8_t>(0xC0 | ((length - 4) << 2) | (distance >> 8)));
            out_.push_back(static_cast<uint8_t>(distance));
            ++counts_.nearMatches;
            return true;
        case LzForm::Short: {
            if (length < 2 || length > 3 || distance > 255)
                return false;
            flag(false);
            const bool inByte = distance >= 1 && distance <= 31;
            out_.push_back(
                static_cast<uint8_t>(0x80 | ((length - 2) << 5) | (inByte ? distance : 0)));
            if (!inByte)
                out_.push_back(static_cast<uint8_t>(distance));
            ++counts_.shortMatches;
            return true;
        }
        case LzForm::Long:
            if (length < 2 || length > 65537 || distance > 65535)
                return false;
            flag(false);
            out_.push_back(0x7F);
            u16(length - 2);
            u16(distance);
            ++counts_.longMatches;
            return true;
        case LzForm::Far:
            if (length < 4 || length > 130 || distance > 65535)
                return false;
            flag(false);
            out_.push_back(static_cast<uint8_t>(length - 4));
            u16(distance);
            ++counts_.farMatches;
            return true;
    }
    return false;
}

namespace {

constexpr size_t kWindow = 65535;
constexpr size_t kMaxLength = 65537;
constexpr int kChainDepth = 48;
constexpr int kHashBits = 15;

inline uint32_t hash3(const uint8_t* p) {
    const uint32_t v = p[0] | (p[1] << 8) | (p[2] << 16);
    return (v * 2654435761u) >> (32 - kHashBits);
}

}  // namespace

std::vector<uint8_t> lzCompress(std::span<const uint8_t> data, LzFormCounts* counts) {
    LzTokenWriter writer;
    const size_t n = data.size();
    const uint8_t* d = data.data();
    constexpr size_t kNone = SIZE_MAX;
    std::vector<size_t> head(size_t{1} << kHashBits, kNone);
    std::vector<size_t> previous(kWindow + 1, kNone);
    std::vector<size_t> lastPair(65536, kNone);
    auto insert = [&](size_t i) {
        if (i + 2 < n) {
            const uint32_t h = hash3(d + i);
            previous[i % (kWindow + 1)] = head[h];
            head[h] = i;
        }
        if (i + 1 < n)
            lastPair[d[i] | (d[i + 1] << 8)] = i;
    };

    size_t i = 0;
    while (i < n) {
        const size_t limit = std::min(kMaxLength, n - i);
        size_t bestLength = 0, bestDistance = 0;
        if (i + 2 < n) {
            size_t candidate = head[hash3(d + i)];
            for (int depth = 0; depth < kChainDepth && candidate != kNone; ++depth) {
                if (i - candidate > kWindow)
                    break;
                size_t length = 0;
                while (length < limit && d[candidate + length] == d[i + length])
                    ++length;
                if (length > bestLength) {
                    bestLength = length;
                    bestDistance = i - candidate;
                    if (length == limit)
                        break;
                }
                const size_t next = previous[candidate % (kWindow + 1)];
                if (next == kNone || next >= candidate)
                    break;
                candidate = next;
            }
        }
        if (bestLength < 2 && i + 1 < n) {
            const size_t pair = lastPair[d[i] | (d[i + 1] << 8)];
            if (pair != kNone && i - pair <= 255) {
                bestLength = 2;
                bestDistance = i - pair;
            }
        }

        bool matched = false;
        if (bestLength >= 4) {
            if (bestLength <= 19 && bestDistance <= 1023) {
                matched = writer.match(LzForm::Near, bestLength, bestDistance);
            } else if (bestLength <= 130) {
                matched = writer.match(LzForm::Far, bestLength, bestDistance);
            } else {
                matched = writer.match(LzForm::Long, bestLength, bestDistance);
            }
        } else if (bestLength >= 2 && bestDistance <= 255) {
            matched = writer.match(LzForm::Short, bestLength, bestDistance);
        }
        if (!matched) {
            writer.literal(d[i]);
            bestLength = 1;
        }
        for (size_t k = 0; k < bestLength; ++k)
            insert(i + k);
        i += bestLength;
    }
    if (counts)
        *counts = writer.counts();
    return writer.finish();
}

}  // namespace marlit::crx
