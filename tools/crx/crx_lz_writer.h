// Writes the LZ stream of CRX pictures: explicit tokens for tests that need
// a particular match, and a compressor that uses every match form.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace marlit::crx {

enum class LzForm {
    Near,   // first byte 0xC0-0xFF: length 4-19, distance 0-1023
    Short,  // first byte 0x80-0xBF: length 2-3, distance 1-31 in it, else 0-255 after it
    Long,   // first byte 0x7F: length 2-65537, distance 0-65535
    Far,    // first byte 0x00-0x7E: length 4-130, distance 0-65535
};

struct LzFormCounts {
    size_t literals = 0;
    size_t nearMatches = 0;
    size_t shortMatches = 0;
    size_t longMatches = 0;
    size_t farMatches = 0;
};

class LzTokenWriter {
  public:
    void literal(uint8_t byte);
    // False (nothing written) when the form cannot carry length and distance.
    // Distance 0 stands for 65536 bytes back.
    bool match(LzForm form, size_t length, size_t distance);
    const LzFormCounts& counts() const { return counts_; }
    std::vector<uint8_t> finish() { return std::move(out_); }

  private:
    void flag(bool isLiteral);

    std::vector<uint8_t> out_;
    size_t flagAt_ = 0;
    int flagBits_ = 8;
    LzFormCounts counts_;
};

// Compresses data greedily with the cheapest form for each match found.
std::vector<uint8_t> lzCompress(std::span<const uint8_t> data, LzFormCounts* counts = nullptr);

}  // namespace marlit::crx
