// DecodeCrx on arbitrary bytes, then the scaler on what it gives.
#include <cstddef>
#include <cstdint>

#include "converter/crx_decoder.h"
#include "converter/picture_scaler.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    auto bitmap = marlit::DecodeCrx({data, size});
    // Scaling is linear in the pixels; keep runs on huge headers quick.
    if (!bitmap || static_cast<size_t>(bitmap->width) * bitmap->height > (1u << 18))
        return 0;
    if (marlit::pixelKindOf(*bitmap) == marlit::PixelKind::Alpha) {
        marlit::ScalePicture(*bitmap, 40, marlit::ScaleVariant::Alpha);
    } else {
        marlit::ScalePicture(*bitmap, 40, marlit::ScaleVariant::Opaque);
        marlit::ScalePicture(*bitmap, 80, marlit::ScaleVariant::Key);
    }
    return 0;
}
