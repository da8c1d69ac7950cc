#include "platform/font/freetype_glyph_painter.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H

#include <algorithm>
#include <string>

#include "platform/font/font_lookup.h"

namespace marlit {

namespace {

constexpr int kMaxHeight = 1024;
constexpr char16_t kHiragana = u'\u3042';

// What went wrong with a font file, in words.
std::string openingError(FT_Error e) {
    if (e == FT_Err_Cannot_Open_Resource)
        return "cannot be opened (is the name right, and may it be read?)";
    if (e == FT_Err_Unknown_File_Format)
        return "is not a font file (TrueType or OpenType)";
    if (e == FT_Err_Out_Of_Memory)
        return "is too large to load";
    if (const char* text = FT_Error_String(e))
        return std::string("cannot be read as a font (") + text + ")";
    return "cannot be read as a font (FreeType error " + std::to_string(e) + ")";
}

// The x strength, in 26.6 pixels, of the synthetic bold of a weight: a bold
// (700) face grows by 1/24 of its height, as FreeType's own emboldening
// does, lighter and heavier weights in proportion.
FT_Pos boldStrength(int height, int weight) {
    return static_cast<FT_Pos>(height) * 64 * (weight - 400) / 7200;
}

void fillBlack(GlyphCanvas& canvas, int x, int y, int width, int height) {
    const int left = std::max(x, 0), right = std::min(x + width, canvas.width);
    const int top = std::max(y, 0), bottom = std::min(y + height, canvas.height);
    for (int row = top; row < bottom; ++row) {
        uint8_t* p = canvas.pixels + static_cast<ptrdiff_t>(row) * canvas.pitch + left * 3;
        std::fill(p, p + (right - left) * 3, uint8_t{0});
    }
}

}  // namespace

struct FreeTypeGlyphPainter::FreeType {
    FT_Library library = nullptr;
    FT_Face face = nullptr;
    ~FreeType() {
        if (face)
            FT_Done_Face(face);
        if (library)
            FT_Done_FreeType(library);
    }
};

FreeTypeGlyphPainter::FreeTypeGlyphPainter(std::string fontFile)
    : requested_(std::move(fontFile)) {}

FreeTypeGlyphPainter::~FreeTypeGlyphPainter() = default;

bool FreeTypeGlyphPainter::load() {
    if (tried_)
        return ft_ != nullptr;
    tried_ = true;
    file_ = requested_;
    if (file_.empty()) {
        auto found = findGothicFont(&error_);
        if (!found)
            return false;
        file_ = *found;
    }
    auto ft = std::make_unique<FreeType>();
    if (FT_Init_FreeType(&ft->library) != 0) {
        error_ = "the font library FreeType could not start (out of memory?)";
        return false;
    }
    if (FT_Error e = FT_New_Face(ft->library, file_.c_str(), 0, &ft->face)) {
        error_ =
            file_ + ": " + openingError(e) + "; give a Japanese gothic font file with --font FILE";
        return false;
    }
    if (FT_Get_Char_Index(ft->face, kHiragana) == 0) {
        error_ = file_ +
                 ": has no Japanese characters; give a Japanese gothic font with --font FILE "
                 "(IPAGothic from fonts-ipafont-gothic, for one)";
        return false;
    }
    ft_ = std::move(ft);
    return true;
}

bool FreeTypeGlyphPainter::setFont(int height, int weight) {
    if (!load() || height < 1 || height > kMaxHeight)
        return false;
    weight_ = weight;
    if (height == height_)
        return true;
    // The height is the cell: ascent plus descent, as the handheld's font
    // description asks for with a positive height.
    FT_Size_RequestRec request{};
    request.type = FT_SIZE_REQUEST_TYPE_REAL_DIM;
    request.height = static_cast<FT_Long>(height) * 64;
    if (FT_Request_Size(ft_->face, &request) != 0) {
        height_ = 0;
        return false;
    }
    height_ = height;
    return true;
}

void FreeTypeGlyphPainter::paint(char16_t character, GlyphCanvas& canvas, int x, int y,
                                 bool opaque) {
    if (!ft_ || height_ == 0 || !canvas.pixels)
        return;
    FT_Face face = ft_->face;
    const FT_UInt index = FT_Get_Char_Index(face, character);
    if (FT_Load_Glyph(face, index, FT_LOAD_TARGET_MONO) != 0)
        return;
    FT_GlyphSlot slot = face->glyph;
    if (opaque)
        fillBlack(canvas, x, y, static_cast<int>((slot->advance.x + 32) >> 6), height_);

    // Outlines are emboldened before rendering; a glyph from a bitmap strike
    // of the font is smeared to the right instead.
    const FT_Pos strength = weight_ > 400 ? boldStrength(height_, weight_) : 0;
    int smear = 0;
    if (strength > 0 && slot->format == FT_GLYPH_FORMAT_OUTLINE)
        FT_Outline_EmboldenXY(&slot->outline, strength, 0);
    else if (strength > 0)
        smear = std::max(1, static_cast<int>((strength + 32) >> 6));
    if (FT_Render_Glyph(slot, FT_RENDER_MODE_MONO) != 0)
        return;
    const FT_Bitmap& bitmap = slot->bitmap;
    const bool mono = bitmap.pixel_mode == FT_PIXEL_MODE_MONO;
    if (!mono && bitmap.pixel_mode != FT_PIXEL_MODE_GRAY)
        return;

    const int baseline = y + static_cast<int>((face->size->metrics.ascender + 32) >> 6);
    const int left = x + slot->bitmap_left;
    const int top = baseline - slot->bitmap_top;
    for (int row = 0; row < static_cast<int>(bitmap.rows); ++row) {
        const int cy = top + row;
        if (cy < 0 || cy >= canvas.height)
            continue;
        const uint8_t* bits = bitmap.buffer + static_cast<ptrdiff_t>(row) * bitmap.pitch;
        uint8_t* line = canvas.pixels + static_cast<ptrdiff_t>(cy) * canvas.pitch;
        for (int col = 0; col < static_cast<int>(bitmap.width); ++col) {
            const bool ink = mono ? (bits[col >> 3] & (0x80 >> (col & 7))) != 0 : bits[col] >= 128;
            if (!ink)
                continue;
            const int from = std::max(left + col, 0);
            const int to = std::min(left + col + smear + 1, canvas.width);
            for (int cx = from; cx < to; ++cx)
                line[cx * 3] = line[cx * 3 + 1] = line[cx * 3 + 2] = 255;
        }
    }
}

}  // namespace marlit
