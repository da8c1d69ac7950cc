// The PNG reader of the tools on untrusted bytes: whatever the file
// declares, the reader allocates only what its size allows and fails
// cleanly.
#include <cstddef>
#include <cstdint>
#include <span>

#include "base/png.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    auto png = marlit::decodePng(std::span<const uint8_t>(data, size));
    if (png && png->pixels.size() != size_t(png->width) * png->height * png->channels)
        __builtin_trap();
    return 0;
}
