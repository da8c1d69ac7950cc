// DecodeCrx on arbitrary bytes, then the scaler on what it gives.
#include <cstddef>
#include <cstdint>

#include "converter/crx_decoder.h"
#include "converter/picture_scaler.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // Headers promising pictures of a megabyte or more only cost time in
    // allocating and clearing them; the size limits have their own tests.
    if (size >= 12 &&
        size_t(data[8] | data[9] << 8) * size_t(data[10] | data[11] << 8) > (1u << 18)) {
        return 0;
    }
    auto bitmap = marlit::DecodeCrx({data, size});
    // The scaler's loops are plain arithmetic; small pictures reach all of it.
    if (!bitmap || static_cast<size_t>(bitmap->width) * bitmap->height > (1u << 14))
        return 0;
    if (marlit::pixelKindOf(*bitmap) == marlit::PixelKind::Alpha) {
        marlit::ScalePicture(*bitmap, 40, marlit::ScaleVariant::Alpha);
    } else {
        marlit::ScalePicture(*bitmap, 40, marlit::ScaleVariant::Opaque);
        marlit::ScalePicture(*bitmap, 80, marlit::ScaleVariant::Key);
    }
    return 0;
}
