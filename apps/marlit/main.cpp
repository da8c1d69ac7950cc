// marlit (320 x 240) and marlit_vga (640 x 480): one source, the screen size
// set by the build.
#include "apps/marlit/run_marlit.h"

#ifndef MARLIT_SCREEN_WIDTH
#error "the build sets MARLIT_SCREEN_WIDTH (320 or 640)"
#endif

int main(int argc, char** argv) {
    return marlit::app::runMarlit(argc, argv, MARLIT_SCREEN_WIDTH > 639);
}
