// Hand-made CRX files for the decoder's tests: a header, a palette and the
// pixel data exactly as given, so that tests can say what the writer would
// never produce.
#pragma once

#include <zlib.h>

#include <cstdint>
#include <vector>

#include "base/bytes.h"

namespace marlit::test {

inline std::vector<uint8_t> crxHeader(int width, int height, bool zlibRows, uint32_t depthCode,
                                      const std::vector<uint8_t>& palette = {}) {
    ByteWriter w;
    w.bytes("ABCDEFGH", 8);  // never interpreted, never a row above
    w.u16(static_cast<uint16_t>(width));
    w.u16(static_cast<uint16_t>(height));
    w.u16(zlibRows ? 2 : 1);
    w.u16(0);
    if (zlibRows) {
        w.u32(depthCode);
    } else {
        w.u16(static_cast<uint16_t>(depthCode));
        w.u16(0);
    }
    w.bytes(palette);
    return w.take();
}

inline std::vector<uint8_t> deflated(const std::vector<uint8_t>& raw) {
    uLongf size = compressBound(static_cast<uLong>(raw.size()));
    std::vector<uint8_t> out(size);
    compress2(out.data(), &size, raw.data(), static_cast<uLong>(raw.size()), 9);
    out.resize(size);
    return out;
}

// A zlib-rows file whose inflated data is `raw`.
inline std::vector<uint8_t> zlibRowsFile(int width, int height, uint32_t depthCode,
                                         const std::vector<uint8_t>& raw,
                                         const std::vector<uint8_t>& palette = {}) {
    auto file = crxHeader(width, height, true, depthCode, palette);
    auto data = deflated(raw);
    file.insert(file.end(), data.begin(), data.end());
    return file;
}

}  // namespace marlit::test
