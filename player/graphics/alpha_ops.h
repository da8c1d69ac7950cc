// The per-pixel operations of alpha drawing, shared by the flat, the
// transformed and the crossfade loops (inside the graphics folder only).
// A source alpha of 0 never changes the destination; 255 is a plain copy.
#pragma once

#include <cstdint>

#include "player/graphics/pixel_math.h"

namespace marlit::pixel {

struct AlphaPlain {
    void operator()(uint8_t* d, const uint8_t* s) const {
        int alpha = s[3];
        if (alpha == 255) {
            d[0] = s[0];
            d[1] = s[1];
            d[2] = s[2];
        } else if (alpha != 0) {
            d[0] = mix(s[0], d[0], alpha);
            d[1] = mix(s[1], d[1], alpha);
            d[2] = mix(s[2], d[2], alpha);
        }
    }
};

struct AlphaOpacity {
    int opacity;
    void operator()(uint8_t* d, const uint8_t* s) const {
        int alpha = s[3];
        if (alpha == 0)
            return;
        int k = weight(alpha, opacity);
        d[0] = mix(s[0], d[0], k);
        d[1] = mix(s[1], d[1], k);
        d[2] = mix(s[2], d[2], k);
    }
};

// Brightness applies to the source before mixing.
struct AlphaBright {
    Bright bright;
    void operator()(uint8_t* d, const uint8_t* s) const {
        int alpha = s[3];
        if (alpha == 255) {
            d[0] = bright(s[0]);
            d[1] = bright(s[1]);
            d[2] = bright(s[2]);
        } else if (alpha != 0) {
            d[0] = mix(bright(s[0]), d[0], alpha);
            d[1] = mix(bright(s[1]), d[1], alpha);
            d[2] = mix(bright(s[2]), d[2], alpha);
        }
    }
};

// Brightness applies to the mixed result, destination included.
struct AlphaOpacityBright {
    int opacity;
    Bright bright;
    void operator()(uint8_t* d, const uint8_t* s) const {
        int alpha = s[3];
        if (alpha == 0)
            return;
        int k = weight(alpha, opacity);
        d[0] = bright(mix(s[0], d[0], k));
        d[1] = bright(mix(s[1], d[1], k));
        d[2] = bright(mix(s[2], d[2], k));
    }
};

// Calls draw(op) with the operation of the variant chosen by opacity and
// brightness (both already clamped). The flat loop quantises its
// translucent variant; `quantiseOpacity` says whether to.
template <class Draw>
void withAlphaOp(int opacity, int brightness, bool quantiseOpacity, Draw draw) {
    if (opacity == kOpaque && brightness == kUnchanged) {
        draw(AlphaPlain{});
    } else if (brightness == kUnchanged) {
        AlphaOpacity op{opacity};
        if (quantiseOpacity) {
            draw([op](uint8_t* d, const uint8_t* s) {
                if (s[3] == 0)
                    return;
                op(d, s);
                quantise(d);
            });
        } else {
            draw(op);
        }
    } else if (opacity == kOpaque) {
        draw(AlphaBright{Bright(brightness)});
    } else {
        draw(AlphaOpacityBright{opacity, Bright(brightness)});
    }
}

}  // namespace marlit::pixel
