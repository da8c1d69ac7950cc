#include "tools/samplegame/text.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cmath>
#include <vector>

#include "base/files.h"

namespace marlit::sample {

namespace {

constexpr const char* kDebianGothic = "/usr/share/fonts/opentype/ipafont-gothic/ipag.ttf";

// UTF-8 to code points; a broken sequence gives U+FFFD for its first byte.
std::u32string decodeUtf8(std::string_view s) {
    std::u32string out;
    size_t i = 0;
    while (i < s.size()) {
        const auto c = static_cast<uint8_t>(s[i]);
        const int n = c < 0x80         ? 0
                      : (c >> 5) == 6  ? 1
                      : (c >> 4) == 14 ? 2
                      : (c >> 3) == 30 ? 3
                                       : -1;
        char32_t cp = n <= 0 ? c : c & (0x3F >> n);
        bool ok = n >= 0 && i + n < s.size();
        for (int k = 1; ok && k <= n; ++k) {
            const auto t = static_cast<uint8_t>(s[i + k]);
            ok = (t & 0xC0) == 0x80;
            cp = (cp << 6) | (t & 0x3F);
        }
        if (!ok) {
            out.push_back(0xFFFD);
            ++i;
            continue;
        }
        out.push_back(cp);
        i += n + 1;
    }
    return out;
}

}  // namespace

struct Font::Impl {
    FT_Library library = nullptr;
    FT_Face face = nullptr;
    mutable int size = 0;

    void setSize(int pixels) const {
        if (pixels != size) {
            FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(pixels));
            size = pixels;
        }
    }
    ~Impl() {
        if (face)
            FT_Done_Face(face);
        if (library)
            FT_Done_FreeType(library);
    }
};

Font::Font(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {}
Font::~Font() = default;

std::unique_ptr<Font> Font::open(const std::string& path, std::string* error) {
    auto impl = std::make_unique<Impl>();
    if (FT_Init_FreeType(&impl->library) != 0) {
        if (error)
            *error = "FreeType could not start";
        return nullptr;
    }
    if (FT_New_Face(impl->library, path.c_str(), 0, &impl->face) != 0) {
        if (error)
            *error = "cannot open the font " + path +
                     " (install fonts-ipafont-gothic or pass --font FILE)";
        return nullptr;
    }
    return std::unique_ptr<Font>(new Font(std::move(impl)));
}

std::string Font::defaultPath() {
    std::string found;
    if (FcInit()) {
        FcPattern* pattern = FcNameParse(reinterpret_cast<const FcChar8*>("IPAGothic"));
        FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
        FcDefaultSubstitute(pattern);
        FcResult result;
        FcPattern* match = FcFontMatch(nullptr, pattern, &result);
        FcChar8* file = nullptr;
        FcChar8* family = nullptr;
        // Only the font asked for: a fallback face would draw other shapes.
        if (match && FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch &&
            FcPatternGetString(match, FC_FAMILY, 0, &family) == FcResultMatch &&
            std::string_view(reinterpret_cast<const char*>(family)) == "IPAGothic") {
            found = reinterpret_cast<const char*>(file);
        }
        if (match)
            FcPatternDestroy(match);
        FcPatternDestroy(pattern);
        FcFini();
    }
    return found.empty() ? kDebianGothic : found;
}

float Font::lineHeight(int size) const {
    impl_->setSize(size);
    const auto& m = impl_->face->size->metrics;
    return static_cast<float>(m.ascender - m.descender) / 64.0f;
}

float Font::width(std::string_view utf8, int size, float spacing) const {
    impl_->setSize(size);
    float w = 0;
    const std::u32string text = decodeUtf8(utf8);
    for (char32_t c : text) {
        if (FT_Load_Char(impl_->face, c, FT_LOAD_DEFAULT) == 0)
            w += impl_->face->glyph->advance.x / 64.0f + spacing;
    }
    return text.empty() ? 0 : w - spacing;
}

void Font::draw(Canvas& canvas, std::string_view utf8, float x, float top, int size,
                const TextStyle& style) const {
    impl_->setSize(size);
    const std::u32string text = decodeUtf8(utf8);
    const float ascender = impl_->face->size->metrics.ascender / 64.0f;
    const int pad = static_cast<int>(std::ceil(style.outlineWidth)) + 2 +
                    std::max(std::abs(style.shadowX), std::abs(style.shadowY));
    const int w = static_cast<int>(std::ceil(width(utf8, size, style.spacing))) + 2 * pad + 2;
    const int h = static_cast<int>(std::ceil(lineHeight(size))) + 2 * pad + 2;
    // The coverage of the whole line, then outline, shadow and fill from it.
    std::vector<float> mask(static_cast<size_t>(w) * h, 0.0f);
    const float fx = x - std::floor(x);
    float pen = pad + fx;
    const int baseline = pad + static_cast<int>(std::lround(ascender));
    for (char32_t c : text) {
        if (FT_Load_Char(impl_->face, c, FT_LOAD_RENDER) != 0)
            continue;
        const FT_GlyphSlot g = impl_->face->glyph;
        const FT_Bitmap& b = g->bitmap;
        const int gx = static_cast<int>(std::lround(pen)) + g->bitmap_left;
        const int gy = baseline - g->bitmap_top;
        for (unsigned r = 0; r < b.rows; ++r) {
            for (unsigned col = 0; col < b.width; ++col) {
                const int mx = gx + static_cast<int>(col), my = gy + static_cast<int>(r);
                if (mx < 0 || my < 0 || mx >= w || my >= h)
                    continue;
                float& m = mask[static_cast<size_t>(my) * w + mx];
                m = std::max(m, b.buffer[r * b.pitch + col] / 255.0f);
            }
        }
        pen += g->advance.x / 64.0f + style.spacing;
    }
    auto maskAt = [&](int mx, int my) {
        return mx < 0 || my < 0 || mx >= w || my >= h ? 0.0f
                                                      : mask[static_cast<size_t>(my) * w + mx];
    };
    // The outline: the mask widened by its width, with a soft last pixel.
    std::vector<float> ring;
    if (style.outline.a > 0 && style.outlineWidth > 0) {
        ring.assign(mask.size(), 0.0f);
        // The disc of offsets the outline reaches, with how far each does.
        struct Reach {
            int dx, dy;
            float weight;
        };
        std::vector<Reach> disc;
        const int r = static_cast<int>(std::ceil(style.outlineWidth));
        for (int dy = -r; dy <= r; ++dy) {
            for (int dx = -r; dx <= r; ++dx) {
                const float d = std::sqrt(static_cast<float>(dx * dx + dy * dy));
                const float weight = std::clamp(style.outlineWidth + 0.5f - d, 0.0f, 1.0f);
                if (weight > 0)
                    disc.push_back({dx, dy, weight});
            }
        }
        for (int my = 0; my < h; ++my) {
            for (int mx = 0; mx < w; ++mx) {
                float best = 0;
                for (const Reach& k : disc)
                    best = std::max(best, maskAt(mx + k.dx, my + k.dy) * k.weight);
                ring[static_cast<size_t>(my) * w + mx] = best;
            }
        }
    }
    // What the shadow falls from: the outlined shape when there is one.
    const std::vector<float>& body = ring.empty() ? mask : ring;
    auto bodyAt = [&](int mx, int my) {
        return mx < 0 || my < 0 || mx >= w || my >= h ? 0.0f
                                                      : body[static_cast<size_t>(my) * w + mx];
    };
    const int ox = static_cast<int>(std::floor(x)) - pad;
    const int oy = static_cast<int>(std::lround(top)) - pad;
    for (int my = 0; my < h; ++my) {
        for (int mx = 0; mx < w; ++mx) {
            if (style.shadow.a > 0)
                canvas.blend(ox + mx, oy + my, style.shadow,
                             bodyAt(mx - style.shadowX, my - style.shadowY));
            if (!ring.empty())
                canvas.blend(ox + mx, oy + my, style.outline, bodyAt(mx, my));
            canvas.blend(ox + mx, oy + my, style.fill, maskAt(mx, my));
        }
    }
}

void Font::drawIn(Canvas& canvas, std::string_view utf8, float x, float y, float w, float h,
                  int size, const TextStyle& style, Align align) const {
    const float tw = width(utf8, size, style.spacing);
    float left = x;
    if (align == Align::Centre)
        left = x + (w - tw) / 2;
    else if (align == Align::Right)
        left = x + w - tw;
    draw(canvas, utf8, left, y + (h - lineHeight(size)) / 2, size, style);
}

}  // namespace marlit::sample
