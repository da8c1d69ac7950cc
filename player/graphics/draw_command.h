// One thing to draw in a frame: a picture, a colour rectangle or a change of
// the global brightness. Commands are chained layer by layer into the draw
// lists; the chain is rebuilt every frame and only borrows the commands.
#pragma once

#include <cstdint>

#include "player/graphics/pixel_views.h"

namespace marlit {

enum DrawKind : int32_t {
    kDrawNone = 0,
    kDrawPicture = 1,
    kDrawColour = 6,
    kDrawPictureAlt = 7,  // drawn like kind 1
    kDrawBrightness = 10,
    kDrawPictureText = 30,  // drawn like kind 1
};

enum BlendMode : int32_t { kBlendAlpha = 0, kBlendAdditive = 1 };

// Flag: this command keeps its own brightness whatever the global one is.
constexpr int32_t kFlagIgnoreGlobalBrightness = 2;

struct DrawCommand {
    DrawCommand* next = nullptr;
    int32_t kind = kDrawPicture;
    int32_t flags = 0;
    uint32_t colour = 0;  // 0x00RRGGBB, for colour rectangles
    int32_t blend = kBlendAlpha;
    int32_t brightness = 256;  // 0..512
    int32_t opacity = 256;     // 0..256
    int32_t angle = 0;         // degrees
    // The point, relative to the destination, about which the command is
    // turned and scaled.
    int32_t pivotX = 0;
    int32_t pivotY = 0;
    int32_t picture = 0;  // picture slot; negative: none
    Rect source;          // in picture pixels
    int32_t x = 0;        // destination, screen pixels
    int32_t y = 0;
    int32_t scaleX = 1000;  // per mille
    int32_t scaleY = 1000;
    int32_t secondPicture = -1;  // crossfade partner; -1: none
    int32_t fill = 0;            // kind 10: also fill with the grey of the brightness

    bool isPicture() const {
        return kind == kDrawPicture || kind == kDrawPictureAlt || kind == kDrawPictureText;
    }
    bool transformed() const { return scaleX != 1000 || scaleY != 1000 || angle != 0; }
};

}  // namespace marlit
