// Shrinks a picture from the PC game's geometry to the handheld screen with
// an area-averaging box filter in 10-bit fixed point, first along rows and
// then along columns.
#pragma once

#include <optional>
#include <string_view>

#include "converter/bitmap.h"

namespace marlit {

class KeyList;

enum class ScaleVariant {
    // 3 bytes out; magenta key pixels are left out of every average, and a
    // box of key pixels only stays key, so the key survives crisply.
    Opaque,
    // 4 bytes out; the key becomes transparency: alpha is the non-key share.
    Key,
    // 4 bytes in and out; key-coloured pixels that are not opaque are cleared.
    Alpha,
};

// Alpha for a picture with its own alpha channel, Key for a file name in the
// key list (the name equality), Opaque otherwise.
ScaleVariant chooseScaleVariant(PixelKind kind, std::string_view fileName, const KeyList& keys);

// Scales to percent * size / 100 along both axes. Opaque and key take the
// first three bytes of each pixel; alpha treats 3-byte input as opaque. The
// result records the input's size as its source size. None when a side of
// the result would be 0 or the percent is not in 1..100 (the box filter
// only shrinks: enlarging would need boxes narrower than a pixel).
std::optional<Bitmap> ScalePicture(const Bitmap& picture, int percent, ScaleVariant variant);

std::string_view variantName(ScaleVariant variant);
std::optional<ScaleVariant> variantFromName(std::string_view name);

}  // namespace marlit
