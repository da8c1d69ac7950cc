// Builds script files command by command, and packs of scripts and small
// pictures for the scenario tests.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace marlit::test {

class ScriptBuilder {
  public:
    explicit ScriptBuilder(uint32_t headerWords = 0);

    // The position the next command will have.
    uint32_t here() const { return static_cast<uint32_t>(bytes_.size() - streamStart_); }

    ScriptBuilder& word(uint8_t opcode, uint8_t b1, uint8_t b2);
    ScriptBuilder& wordW(uint8_t opcode, uint16_t w) { return word(opcode, w & 0xFF, w >> 8); }
    ScriptBuilder& text(uint8_t opcode, std::string_view s);
    ScriptBuilder& quad(uint8_t opcode, uint16_t w1, uint16_t w2, uint16_t w3, uint16_t w4);
    ScriptBuilder& label(std::string_view name) { return text('2', name); }
    ScriptBuilder& raw(std::vector<uint8_t> bytes);

    const std::vector<uint8_t>& bytes() const { return bytes_; }

  private:
    std::vector<uint8_t> bytes_;
    size_t streamStart_ = 0;
};

// A grey opaque picture of a size (screen pixels), as a handheld picture file.
std::vector<uint8_t> greyPicture(int width, int height, uint8_t level);

// Writes a pack of named entries; false when it cannot be written.
bool writePack(const std::string& path, const std::map<std::string, std::vector<uint8_t>>& entries);

}  // namespace marlit::test
