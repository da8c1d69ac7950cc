// Japanese text for the sample game's pictures (place names, menu words,
// titles, credits), drawn with FreeType from a gothic font with soft
// edges, an optional outline and a drop shadow.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "tools/samplegame/canvas.h"

namespace marlit::sample {

struct TextStyle {
    Colour fill{1, 1, 1, 1};
    Colour outline{0, 0, 0, 0};  // alpha 0: none
    float outlineWidth = 0;      // pixels
    Colour shadow{0, 0, 0, 0};   // alpha 0: none
    int shadowX = 2, shadowY = 2;
    // Extra pixels between characters.
    float spacing = 0;
};

enum class Align { Left, Centre, Right };

class Font {
  public:
    // The font file; none, with `error` saying why, when FreeType cannot
    // open it.
    static std::unique_ptr<Font> open(const std::string& path, std::string* error);
    // The gothic font the sample game is drawn with: fontconfig's match
    // for IPAGothic, else Debian's file of it.
    static std::string defaultPath();
    ~Font();

    // Width in pixels of a UTF-8 text at a pixel size.
    float width(std::string_view utf8, int size, float spacing = 0) const;
    // Draws a UTF-8 text with its line box's top-left corner at (x, top).
    void draw(Canvas& canvas, std::string_view utf8, float x, float top, int size,
              const TextStyle& style) const;
    // Draws a line of text centred vertically in the box and aligned in it.
    void drawIn(Canvas& canvas, std::string_view utf8, float x, float y, float w, float h, int size,
                const TextStyle& style, Align align = Align::Centre) const;
    // The height of a line (ascender to descender) at a pixel size.
    float lineHeight(int size) const;

  private:
    struct Impl;
    explicit Font(std::unique_ptr<Impl> impl);
    std::unique_ptr<Impl> impl_;
};

}  // namespace marlit::sample
