// One walk over a saved structure serves both directions: serialize(Ar&, T&)
// names every field once, in file order, and is run with a RecordWriter to
// build the bytes or with a RecordReader to fill the structure, so that the
// two can never drift apart. Fixed records also name the offset each field
// starts at; the writer pads up to it and the reader seeks to it.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <utility>

#include "base/bytes.h"

namespace marlit {

class RecordWriter {
  public:
    static constexpr bool kReading = false;

    // Pads with zeros up to `offset` (relative to where the walk began);
    // false when the walk is already past it (a layout fault).
    bool at(size_t offset);
    void u32(uint32_t& v) { out_.u32(v); }
    void i32(int32_t& v) { out_.i32(v); }
    void i16(int16_t& v) { out_.i16(v); }
    void u16(uint16_t& v) { out_.u16(v); }
    // A 32-bit word holding a flag.
    void flag(bool& v) { out_.u32(v ? 1 : 0); }
    // A NUL-terminated text in a zero-padded field of n bytes.
    void text(std::string& s, size_t n) { out_.fixedText(s, n); }
    void raw(std::span<uint8_t> bytes) { out_.bytes(bytes.data(), bytes.size()); }
    void zeros(size_t n) { out_.zeros(n); }
    size_t position() const { return out_.size() - base_; }
    bool ok() const { return ok_; }
    // A nested fixed record starts here; end() goes back to the outer one.
    size_t begin() { return std::exchange(base_, out_.size()); }
    void end(size_t outer) { base_ = outer; }
    ByteWriter& bytes() { return out_; }

  private:
    ByteWriter out_;
    size_t base_ = 0;
    bool ok_ = true;
};

class RecordReader {
  public:
    static constexpr bool kReading = true;

    explicit RecordReader(std::span<const uint8_t> data) : in_(data) {}
    bool at(size_t offset);
    void u32(uint32_t& v) { v = in_.u32(); }
    void i32(int32_t& v) { v = in_.i32(); }
    void i16(int16_t& v) { v = in_.i16(); }
    void u16(uint16_t& v) { v = in_.u16(); }
    void flag(bool& v) { v = in_.u32() != 0; }
    void text(std::string& s, size_t n) { s = in_.fixedText(n); }
    void raw(std::span<uint8_t> bytes);
    void zeros(size_t n) { in_.skip(n); }
    size_t position() const { return in_.position() - base_; }
    bool ok() const { return ok_ && in_.ok(); }
    size_t begin() { return std::exchange(base_, in_.position()); }
    void end(size_t outer) { base_ = outer; }
    // A value read does not fit (a count too large): the record is bad.
    void fail() { ok_ = false; }
    size_t remaining() const { return in_.remaining(); }

  private:
    ByteReader in_;
    size_t base_ = 0;
    bool ok_ = true;
};

// A value stored in a smaller or wider word than it is kept in.
template <class Ar, class T>
void asI32(Ar& ar, T& v) {
    int32_t w = static_cast<int32_t>(v);
    ar.i32(w);
    if constexpr (Ar::kReading)
        v = static_cast<T>(w);
}

}  // namespace marlit
