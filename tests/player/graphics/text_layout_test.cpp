#include "player/graphics/text_layout.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace marlit {
namespace {

// The text in a buffer of exactly its size, so that a read past it is seen.
struct Exact {
    explicit Exact(const std::string& s) : bytes(new char[s.size()]), size(s.size()) {
        std::copy(s.begin(), s.end(), bytes.get());
    }
    std::string_view view() const { return {bytes.get(), size}; }
    std::unique_ptr<char[]> bytes;
    size_t size;
};

TEST(TextCharacters, LeadBytesNeedAValidTrailByteElseTheyStandAlone) {
    const Exact text("a\x82\xA0\x82/\x80\xA0\xFD\x82");
    std::vector<std::pair<uint16_t, int>> seen;
    for (size_t pos = 0;;) {
        const TextCharacter c = characterAt(text.view(), pos);
        if (c.bytes == 0)
            break;
        seen.emplace_back(c.code, c.bytes);
        pos += c.bytes;
    }
    const std::vector<std::pair<uint16_t, int>> expected = {
        {'a', 1}, {0xA082, 2}, {0x82, 1}, {'/', 1}, {0x80, 1}, {0xA0, 1}, {0xFD, 1}, {0x82, 1}};
    EXPECT_EQ(seen, expected);
    EXPECT_EQ(characterAt(std::string_view("ab\0c", 4), 2).bytes, 0) << "a NUL ends the text";

    EXPECT_EQ(characterToUtf16(0xA082), u'あ');
    EXPECT_EQ(characterToUtf16('A'), u'A');
    EXPECT_EQ(characterToUtf16(0xB1), u'\uFF71') << "half-width katakana";
    EXPECT_EQ(characterToUtf16(0x82), u'\uFFFD') << "a lone lead byte";
    EXPECT_EQ(characterToUtf16(0x2082), u'\uFFFD') << "a lead byte with a bad trail";
    EXPECT_TRUE(isDoubleByteCode(0xA082));
    EXPECT_FALSE(isDoubleByteCode(0x82));
}

TEST(TextLayout, LinesBreakAfterTheirLengthAndSingleBytesTakeACell) {
    GlyphPage page;
    TextLayout layout{.x = 10, .y = 20, .size = 12, .advance = 13, .lineHeight = 15, .perLine = 3};
    const Exact text(
        "\x82\xA0"
        "ab\x82\xA2");
    EXPECT_EQ(layoutText(page, text.view(), layout), text.size);
    ASSERT_EQ(page.size(), 4u);
    const auto r = page.records();
    EXPECT_EQ(r[0].character, 0xA082);
    EXPECT_EQ(r[1].character, 'a');
    EXPECT_EQ(r[2].cell, (Rect{36, 20, 48, 32}));
    EXPECT_EQ(r[3].cell, (Rect{10, 35, 22, 47}));
    EXPECT_EQ(r[3].state, kGlyphToDraw);
    EXPECT_EQ(r[3].size, 12);
}

TEST(TextLayout, APageStopsAt256GlyphsAndTheRestGoesOnANewPage) {
    std::string long_text;
    for (int i = 0; i < 300; ++i)
        long_text += "\x82\xA0";
    long_text += "\x82";  // a lone lead byte at the end
    const Exact text(long_text);
    GlyphPage page;
    const size_t stop = layoutText(page, text.view(), {});
    EXPECT_EQ(page.size(), GlyphPage::kCapacity);
    EXPECT_EQ(stop, 512u);
    EXPECT_TRUE(page.full());
    EXPECT_FALSE(page.add(GlyphRecord{}));
    EXPECT_EQ(layoutText(page, text.view(), {}, stop), stop) << "a full page takes nothing";

    page.clear();
    EXPECT_EQ(layoutText(page, text.view(), {}, stop), text.size);
    EXPECT_EQ(page.size(), 45u);
    EXPECT_EQ(page.records().back().character, 0x82);
}

}  // namespace
}  // namespace marlit
