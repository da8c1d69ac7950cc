// marlit (320 x 240) and marlit_vga (640 x 480): one source, the screen size
// set by the build.
#include "apps/marlit/run_marlit.h"

#ifndef MARLIT_SCREEN_WIDTH
#error "the build sets MARLIT_SCREEN_WIDTH (320 or 640)"
#endif

#if defined(__SANITIZE_ADDRESS__)
// The desktop's message bus library, opened by SDL, keeps one buffer until
// the process ends; it is not ours to free.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libdbus-1.so\n";
}
extern "C" const char* __lsan_default_options() {
    return "print_suppressions=0";
}
#endif

int main(int argc, char** argv) {
    return marlit::app::runMarlit(argc, argv, MARLIT_SCREEN_WIDTH > 639);
}
