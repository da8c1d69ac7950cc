// The glyph painter on FreeType, standing in for the handheld's font
// renderer with its fixed-pitch gothic face. Glyphs are rendered in one bit
// per pixel, as the handheld renders text without smoothing: the message
// text does its own antialiasing by painting large and averaging.
#pragma once

#include <memory>
#include <string>

#include "platform/glyph_painter.h"

namespace marlit {

class FreeTypeGlyphPainter : public GlyphPainter {
  public:
    // The font of `fontFile`, or with none the gothic font that fontconfig
    // finds (font_lookup.h). The font is opened at the first use, or by
    // load(); nothing is painted while it cannot be opened.
    explicit FreeTypeGlyphPainter(std::string fontFile = {});
    ~FreeTypeGlyphPainter() override;
    FreeTypeGlyphPainter(const FreeTypeGlyphPainter&) = delete;
    FreeTypeGlyphPainter& operator=(const FreeTypeGlyphPainter&) = delete;

    // Opens the font now; false with error() saying what went wrong, with
    // which file, and what to do. Later calls give the same answer.
    bool load();
    const std::string& error() const { return error_; }
    // The file in use (found through fontconfig when none was given); empty
    // until load() has run.
    const std::string& fontFile() const { return file_; }

    // `height` is the cell height (ascent plus descent) in pixels, 1..1024.
    // Weights up to 400 paint the face as it is; heavier ones are
    // emboldened along x, as the system's renderer does for a face without
    // a bold design.
    bool setFont(int height, int weight) override;
    void paint(char16_t character, GlyphCanvas& canvas, int x, int y, bool opaque) override;

  private:
    struct FreeType;
    std::string requested_;
    std::string file_;
    std::string error_;
    bool tried_ = false;
    std::unique_ptr<FreeType> ft_;
    int height_ = 0;
    int weight_ = 400;
};

}  // namespace marlit
