// The message text: glyph records drawn over the composed frame, each
// character painted at (level + 1) times its size and averaged down, with
// an optional shadow one pixel right and down, blended into the target.
//
// Stage of a frame: the compositor composes the dirty rectangles, then its
// overlay hook calls redraw(), which marks the records those rectangles
// touched and draws every record waiting to be drawn, so text survives the
// redraw of what lies under it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

#include "formats/rbp_codec.h"
#include "platform/glyph_painter.h"
#include "player/core/dirty_rect_list.h"
#include "player/core/screen_geometry.h"
#include "player/graphics/glyph_coverage.h"
#include "player/graphics/glyph_record.h"
#include "player/graphics/pixel_views.h"

namespace marlit {

// Where glyphs are blended: the back buffer (3 bytes a pixel: blue, green,
// red) or a working picture (4: blue, green, red, alpha; the glyph and its
// shadow make the pixels they cover opaque in proportion).
struct TextTarget {
    uint8_t* pixels = nullptr;
    int width = 0;
    int height = 0;
    int pitch = 0;
    int bytesPerPixel = 3;
};

TextTarget textTarget(const Surface& surface);
TextTarget textTarget(WorkingPicture& picture);

struct TextStyle {
    // Antialiasing 0 (off) .. 3 (strong): glyphs are painted at level + 1
    // times their size and averaged.
    int level = 0;
    bool shadow = false;
    // The recalled page: every record drawn takes the recall grey.
    bool recall = false;
};

// The pixels a record's glyph and shadow may change.
Rect glyphArea(const GlyphRecord& record);

class MessageTextDrawer {
  public:
    // Font weights by index; the message font starts at index 4.
    static constexpr int kWeights[] = {0, 200, 400, 600, 900};

    MessageTextDrawer(GlyphPainter& painter, ScreenGeometry screen,
                      size_t cacheBytes = GlyphCoverage::kDefaultCacheBytes);

    // The message font's height; called when the window is made and when a
    // save is loaded.
    void setFontSize(int size);
    int fontHeight() const { return fontHeight_; }
    int weight() const { return kWeights[weightIndex_]; }

    // Draws every record in state 1, in order, and puts it in state 0. A
    // record whose glyph cannot be made (a size outside 1..256) is passed
    // over and put in state 0 as well. Nothing is written outside the
    // target.
    void draw(std::span<GlyphRecord> records, const TextTarget& target, const TextStyle& style);

    // Puts every record in a state below 2 whose cell overlaps one of the
    // rectangles (edges touching count, which also catches the shadow just
    // outside the cell) in state 1.
    static void markForRedraw(std::span<GlyphRecord> records, std::span<const Rect> rects);
    // The same against the rectangles of the list added with merge 1.
    static void markForRedraw(std::span<GlyphRecord> records, const DirtyRectList& dirty);

    // The overlay of a composed frame: markForRedraw with the recomposed
    // rectangles, then draw into the back buffer.
    void redraw(std::span<GlyphRecord> records, const Surface& backBuffer,
                std::span<const Rect> recomposed, const TextStyle& style);

    GlyphCoverage& coverage() { return coverage_; }

  private:
    GlyphCoverage coverage_;
    ScreenGeometry screen_;
    int fontHeight_ = 0;
    int weightIndex_ = 4;
};

}  // namespace marlit
