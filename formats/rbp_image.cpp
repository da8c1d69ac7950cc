#include "formats/rbp_image.h"

#include "base/bytes.h"

namespace marlit {

std::optional<RbpHeader> parseRbpHeader(std::span<const uint8_t> file) {
    if (file.size() < kRbpHeaderSize)
        return std::nullopt;
    ByteReader in(file.first(kRbpHeaderSize));
    RbpHeader h;
    for (char& c : h.signature)
        c = static_cast<char>(in.u8());
    h.version = static_cast<char>(in.u8());
    h.kind = in.u32();
    h.width = in.u32();
    h.height = in.u32();
    h.payloadOffset = in.u32();
    h.sourceWidth = in.i16();
    h.sourceHeight = in.i16();
    in.skip(4);
    h.jbpSize = in.u32();
    return h;
}

std::vector<uint8_t> encodeRbpHeader(const RbpHeader& h) {
    ByteWriter out;
    for (char c : h.signature)
        out.u8(static_cast<uint8_t>(c));
    out.u8(static_cast<uint8_t>(h.version));
    out.u32(h.kind);
    out.u32(h.width);
    out.u32(h.height);
    out.u32(h.payloadOffset);
    out.i16(h.sourceWidth);
    out.i16(h.sourceHeight);
    out.zeros(4);
    out.u32(h.jbpSize);
    out.zeros(4);
    return out.take();
}

}  // namespace marlit
