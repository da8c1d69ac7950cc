#include "converter/bitmap.h"

namespace marlit {

Bitmap makeBitmap(int width, int height, int bytesPerPixel) {
    Bitmap b;
    b.width = width;
    b.height = height;
    b.bytesPerPixel = bytesPerPixel;
    b.sourceWidth = width;
    b.sourceHeight = height;
    b.pixels.assign(b.stride() * static_cast<size_t>(height), 0);
    return b;
}

}  // namespace marlit
