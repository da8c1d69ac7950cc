// The picture readers on untrusted bytes: a whole .rbp file with and
// without the colour key, and the same bytes as a bare JbpStream, decoded
// both into its own buffer and into a fixed caller's buffer.
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "formats/jbp_stream.h"
#include "formats/rbp_codec.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::span<const uint8_t> bytes(data, size);
    marlit::decodeRbp(bytes, false);
    marlit::decodeRbp(bytes, true);
    marlit::DecodeJbp(bytes);
    static std::vector<uint16_t> frame(320 * 240);
    marlit::DecodeJbp(bytes, frame);
    return 0;
}
