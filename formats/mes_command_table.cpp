// The command table of the scenario scripts: every opcode with its mnemonic
// and its shape. Opcodes that the player steps over without effect are named
// "op_" + the opcode's letter (for letters) or its decimal value.
#include "formats/mes_script.h"

#include <array>

#include "base/sjis.h"

namespace marlit {
namespace {

using S = CommandShape;

constexpr CommandInfo kTable[] = {
    {2, "cond_block", S::kWord},
    {3, "message_number", S::kWord, true},
    {4, "day_end_selector", S::kWord, true},
    {5, "se", S::kWord},
    {6, "bgm", S::kWord},
    {7, "page_wait", S::kWord},
    {8, "choice_begin", S::kWord},
    {9, "choice", S::kWord},
    {10, "op_10", S::kWord},
    {13, "window", S::kWord, true},
    {17, "bgm_stop", S::kWord},
    {18, "op_18", S::kWord},
    {19, "op_19", S::kWord},
    {21, "op_21", S::kWord},
    {23, "op_23", S::kWord},
    {27, "day_end", S::kWord, true},
    {29, "op_29", S::kWord},
    {31, "block_end", S::kWord},
    {33, "op_33", S::kWord},
    {34, "op_34", S::kWord},
    {35, "op_35", S::kWord},
    {36, "op_36", S::kWord},
    {38, "op_38", S::kWord},
    {43, "petals", S::kWord},
    {46, "background", S::kString},
    {47, "op_47", S::kString},
    {50, "label", S::kString},
    {51, "char_left", S::kString},
    {52, "overlay_left", S::kString},
    {53, "voice", S::kString},
    {54, "jump", S::kString},
    {56, "op_56", S::kString},
    {59, "goto", S::kString},
    {60, "op_60", S::kString},
    {61, "op_61", S::kString},
    {63, "op_63", S::kString},
    {69, "choice_label", S::kString},
    {70, "char_right", S::kString},
    {75, "speaker", S::kSpeaker},
    {76, "message", S::kString},
    {77, "choice_text", S::kString},
    {79, "op_O", S::kQuad},
    {80, "op_P", S::kQuad},
    {82, "op_R", S::kQuad},
    {83, "op_S", S::kQuad},
    {88, "var", S::kQuad},
    {89, "var_copy", S::kQuad},
    {91, "compare", S::kQuad},
    {93, "op_93", S::kQuad},
    {94, "bg_scroll", S::kQuad},
    {96, "date_card_end", S::kQuad},
    {99, "op_c", S::kByte},
};

// Opcode -> row index + 1 (0: not an opcode).
constexpr std::array<uint8_t, 256> makeIndex() {
    std::array<uint8_t, 256> index{};
    for (size_t i = 0; i < std::size(kTable); ++i)
        index[kTable[i].opcode] = static_cast<uint8_t>(i + 1);
    return index;
}
constexpr std::array<uint8_t, 256> kIndex = makeIndex();

}  // namespace

std::span<const CommandInfo> commandTable() {
    return kTable;
}

const CommandInfo* commandInfo(uint8_t opcode) {
    uint8_t row = kIndex[opcode];
    return row ? &kTable[row - 1] : nullptr;
}

const CommandInfo* commandByName(std::string_view name) {
    for (const CommandInfo& info : kTable)
        if (sameText(info.name, name))
            return &info;
    return nullptr;
}

}  // namespace marlit
