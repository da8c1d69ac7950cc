// Little-endian byte readers and writers with bounds. A reader that runs
// past its end stops, remembers that it failed and hands out zeros, so a
// record can be read field by field and checked once at the end.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace marlit {

inline uint16_t loadU16(const uint8_t* p) {
    return static_cast<uint16_t>(p[0] | (p[1] << 8));
}
inline uint32_t loadU32(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
           (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
}
inline void storeU16(uint8_t* p, uint16_t v) {
    p[0] = static_cast<uint8_t>(v);
    p[1] = static_cast<uint8_t>(v >> 8);
}
inline void storeU32(uint8_t* p, uint32_t v) {
    for (int i = 0; i < 4; ++i)
        p[i] = static_cast<uint8_t>(v >> (8 * i));
}

class ByteReader {
  public:
    ByteReader() = default;
    explicit ByteReader(std::span<const uint8_t> data) : data_(data) {}
    ByteReader(const void* data, size_t size) : data_(static_cast<const uint8_t*>(data), size) {}

    uint8_t u8();
    uint16_t u16();
    uint32_t u32();
    uint64_t u64();
    int8_t i8() { return static_cast<int8_t>(u8()); }
    int16_t i16() { return static_cast<int16_t>(u16()); }
    int32_t i32() { return static_cast<int32_t>(u32()); }
    // The next n bytes, or an empty span (and failure) when fewer remain.
    std::span<const uint8_t> bytes(size_t n);
    // A fixed field of n bytes holding a NUL-terminated text; a field
    // without a NUL gives all n bytes.
    std::string fixedText(size_t n);
    bool skip(size_t n);
    bool seek(size_t pos);

    size_t position() const { return pos_; }
    size_t size() const { return data_.size(); }
    size_t remaining() const { return data_.size() - pos_; }
    bool ok() const { return ok_; }
    std::span<const uint8_t> data() const { return data_; }

  private:
    bool take(size_t n);

    std::span<const uint8_t> data_;
    size_t pos_ = 0;
    bool ok_ = true;
};

class ByteWriter {
  public:
    void u8(uint8_t v) { out_.push_back(v); }
    void u16(uint16_t v);
    void u32(uint32_t v);
    void u64(uint64_t v);
    void i16(int16_t v) { u16(static_cast<uint16_t>(v)); }
    void i32(int32_t v) { u32(static_cast<uint32_t>(v)); }
    void bytes(std::span<const uint8_t> b) { out_.insert(out_.end(), b.begin(), b.end()); }
    void bytes(const void* p, size_t n) { bytes({static_cast<const uint8_t*>(p), n}); }
    // A fixed field of n bytes: the text cut to n - 1 bytes, then NULs.
    void fixedText(std::string_view s, size_t n);
    void zeros(size_t n) { out_.insert(out_.end(), n, 0); }
    // Rewrites a word already written.
    void patchU32(size_t pos, uint32_t v) { storeU32(out_.data() + pos, v); }

    size_t size() const { return out_.size(); }
    std::vector<uint8_t>& buffer() { return out_; }
    const std::vector<uint8_t>& buffer() const { return out_; }
    std::vector<uint8_t> take() { return std::move(out_); }

  private:
    std::vector<uint8_t> out_;
};

}  // namespace marlit
