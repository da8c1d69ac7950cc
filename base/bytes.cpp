#include "base/bytes.h"

#include <algorithm>

#include "base/sjis.h"

namespace marlit {

bool ByteReader::take(size_t n) {
    if (!ok_ || n > remaining()) {
        ok_ = false;
        return false;
    }
    return true;
}

uint8_t ByteReader::u8() {
    if (!take(1))
        return 0;
    return data_[pos_++];
}

uint16_t ByteReader::u16() {
    if (!take(2))
        return 0;
    uint16_t v = loadU16(data_.data() + pos_);
    pos_ += 2;
    return v;
}

uint32_t ByteReader::u32() {
    if (!take(4))
        return 0;
    uint32_t v = loadU32(data_.data() + pos_);
    pos_ += 4;
    return v;
}

uint64_t ByteReader::u64() {
    uint64_t lo = u32();
    uint64_t hi = u32();
    return ok_ ? (lo | (hi << 32)) : 0;
}

std::span<const uint8_t> ByteReader::bytes(size_t n) {
    if (!take(n))
        return {};
    auto s = data_.subspan(pos_, n);
    pos_ += n;
    return s;
}

std::string ByteReader::fixedText(size_t n) {
    auto field = bytes(n);
    if (field.empty())
        return {};
    size_t len = 0;
    while (len < field.size() && field[len] != 0)
        ++len;
    return std::string(reinterpret_cast<const char*>(field.data()), len);
}

bool ByteReader::skip(size_t n) {
    return !bytes(n).empty() || n == 0 ? ok_ : false;
}

bool ByteReader::seek(size_t pos) {
    if (pos > data_.size()) {
        ok_ = false;
        return false;
    }
    pos_ = pos;
    return ok_;
}

void ByteWriter::u16(uint16_t v) {
    u8(static_cast<uint8_t>(v));
    u8(static_cast<uint8_t>(v >> 8));
}

void ByteWriter::u32(uint32_t v) {
    for (int i = 0; i < 4; ++i)
        u8(static_cast<uint8_t>(v >> (8 * i)));
}

void ByteWriter::u64(uint64_t v) {
    u32(static_cast<uint32_t>(v));
    u32(static_cast<uint32_t>(v >> 32));
}

void ByteWriter::fixedText(std::string_view s, size_t n) {
    if (n == 0)
        return;
    // Cut to n - 1 bytes without splitting a double-byte character.
    size_t len = 0;
    while (len < s.size()) {
        size_t step = (isLeadByte(s[len]) && len + 1 < s.size()) ? 2 : 1;
        if (len + step > n - 1)
            break;
        len += step;
    }
    bytes(s.data(), len);
    zeros(n - len);
}

}  // namespace marlit
