#include "player/core/display.h"

namespace marlit {

Display::Display(int width, int height)
    : width_(width),
      height_(height),
      pixels_(static_cast<size_t>(width) * height * kBackBufferBytesPerPixel, 0) {}

// The movie goes first: it may still be drawing from its own thread.
Display::~Display() {
    movie.reset();
}

}  // namespace marlit
