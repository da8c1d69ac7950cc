// The sample game's drawing surface: floating-point colour with
// premultiplied alpha, so that soft edges, light and layers add up without
// banding until the picture is stored as 8-bit pixels.
#pragma once

#include <cstdint>
#include <vector>

#include "converter/bitmap.h"

namespace marlit::sample {

// A straight (not premultiplied) colour, channels 0..1.
struct Colour {
    float r = 0, g = 0, b = 0, a = 1;
};

// 0xRRGGBB with an alpha.
Colour rgb(uint32_t hex, float alpha = 1.0f);
Colour mix(Colour a, Colour b, float t);
Colour withAlpha(Colour c, float alpha);
// Lighter (t > 0, towards white) or darker (t < 0, towards black).
Colour shade(Colour c, float t);

// The picture's magenta key: the pixels the player leaves out.
inline constexpr Colour kKey{1, 0, 1, 1};

class Canvas {
  public:
    Canvas() = default;
    Canvas(int width, int height, Colour fill = {0, 0, 0, 0});

    int width() const { return width_; }
    int height() const { return height_; }
    bool contains(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }

    // Source-over of `c` with its alpha times `coverage`.
    void blend(int x, int y, Colour c, float coverage = 1.0f);
    // Adds light: the colour times `amount` onto what is there.
    void addLight(int x, int y, Colour c, float amount);
    // Replaces the pixel.
    void set(int x, int y, Colour c);
    // The pixel as a straight colour.
    Colour at(int x, int y) const;
    void fill(Colour c);

    // Source-over of another canvas at (dx, dy).
    void draw(const Canvas& src, int dx, int dy, float opacity = 1.0f);
    // A part of the canvas.
    Canvas crop(int x, int y, int width, int height) const;
    // Area-averaged to a new size.
    Canvas scaled(int width, int height) const;
    // Mirrored left to right.
    Canvas mirrored() const;

    // 8-bit pictures for the CRX writer: composited over `background`
    // (blue, green, red), or with the alpha kept (blue, green, red, alpha).
    Bitmap toBitmap24(Colour background = {0, 0, 0, 1}) const;
    Bitmap toBitmap32() const;
    // For pictures with the magenta key: a pixel less than half covered
    // becomes the key, any other keeps its own colour at full strength
    // (the key has no soft edges).
    Bitmap toKeyedBitmap() const;

  private:
    struct Pixel {
        float r, g, b, a;  // premultiplied
    };
    Pixel& px(int x, int y) { return pixels_[static_cast<size_t>(y) * width_ + x]; }
    const Pixel& px(int x, int y) const { return pixels_[static_cast<size_t>(y) * width_ + x]; }

    int width_ = 0;
    int height_ = 0;
    std::vector<Pixel> pixels_;
};

}  // namespace marlit::sample
