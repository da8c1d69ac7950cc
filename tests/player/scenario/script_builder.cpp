#include "tests/player/scenario/script_builder.h"

#include "formats/mlz_pack_writer.h"
#include "formats/picture_view.h"
#include "formats/rbp_codec.h"

namespace marlit::test {

ScriptBuilder::ScriptBuilder(uint32_t headerWords) {
    for (int i = 0; i < 4; ++i)
        bytes_.push_back(static_cast<uint8_t>(headerWords >> (8 * i)));
    bytes_.resize(4 + 4 * size_t{headerWords}, 0x5A);
    streamStart_ = bytes_.size();
}

ScriptBuilder& ScriptBuilder::word(uint8_t opcode, uint8_t b1, uint8_t b2) {
    bytes_.insert(bytes_.end(), {opcode, b1, b2});
    return *this;
}

ScriptBuilder& ScriptBuilder::text(uint8_t opcode, std::string_view s) {
    bytes_.push_back(opcode);
    bytes_.insert(bytes_.end(), s.begin(), s.end());
    bytes_.push_back(0);
    return *this;
}

ScriptBuilder& ScriptBuilder::quad(uint8_t opcode, uint16_t w1, uint16_t w2, uint16_t w3,
                                   uint16_t w4) {
    bytes_.push_back(opcode);
    for (uint16_t w : {w1, w2, w3, w4}) {
        bytes_.push_back(static_cast<uint8_t>(w & 0xFF));
        bytes_.push_back(static_cast<uint8_t>(w >> 8));
    }
    return *this;
}

ScriptBuilder& ScriptBuilder::raw(std::vector<uint8_t> bytes) {
    bytes_.insert(bytes_.end(), bytes.begin(), bytes.end());
    return *this;
}

std::vector<uint8_t> greyPicture(int width, int height, uint8_t level) {
    std::vector<uint8_t> bgr(static_cast<size_t>(width) * height * 3, level);
    PictureView view;
    view.width = width;
    view.height = height;
    view.pixels = bgr;
    view.sourceWidth = width;
    view.sourceHeight = height;
    return EncodeRbp(view, 0).value();
}

bool writePack(const std::string& path,
               const std::map<std::string, std::vector<uint8_t>>& entries) {
    MlzPackWriter writer;
    if (!writer.open(path))
        return false;
    for (const auto& [name, bytes] : entries) {
        if (!writer.add(name, bytes))
            return false;
    }
    return writer.finish();
}

}  // namespace marlit::test
