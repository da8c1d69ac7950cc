#include "formats/jmv_file.h"

#include "base/bytes.h"

namespace marlit {

namespace {

// A frame's stream stores its size in 16-bit fields.
constexpr uint32_t kMaxFrameSide = 0xFFFF;

void setError(std::string* error, std::string text) {
    if (error)
        *error = std::move(text);
}

}  // namespace

std::optional<JmvHeader> parseJmvHeader(std::span<const uint8_t> bytes, std::string* error) {
    if (bytes.size() < kJmvHeaderSize) {
        setError(error, "shorter than the 48-byte movie header (" + std::to_string(bytes.size()) +
                            " bytes); it is not a movie or it was cut short");
        return std::nullopt;
    }
    JmvHeader h;
    h.frameCount = loadU32(bytes.data() + 8);
    h.framesPerSecond = loadU32(bytes.data() + 12);
    h.width = loadU32(bytes.data() + 20);
    h.height = loadU32(bytes.data() + 24);
    if (h.width == 0 || h.height == 0 || h.width > kMaxFrameSide || h.height > kMaxFrameSide) {
        setError(error, "frame size " + std::to_string(h.width) + "x" + std::to_string(h.height) +
                            " in the header is not 1 to 65535 pixels each way; the header is "
                            "damaged or this is not a movie");
        return std::nullopt;
    }
    if (uint64_t{h.paddedWidth()} * h.paddedHeight() > kJbpMaxPixels) {
        setError(error, "frame size " + std::to_string(h.width) + "x" + std::to_string(h.height) +
                            " in the header is larger than a frame's picture stream may be; the "
                            "header is damaged");
        return std::nullopt;
    }
    if (h.framesPerSecond == 0) {
        setError(error, "the header gives 0 frames per second; encode the movie again with a rate");
        return std::nullopt;
    }
    return h;
}

std::optional<JmvTable> parseJmvTable(std::span<const uint8_t> bytes, uint64_t fileSize,
                                      std::string* error) {
    auto header = parseJmvHeader(bytes, error);
    if (!header)
        return std::nullopt;
    JmvTable table;
    table.header = *header;
    const uint64_t tableSize = header->tableSize();
    if (tableSize > fileSize || tableSize > bytes.size()) {
        setError(error, "the frame table of " + std::to_string(header->frameCount) +
                            " frames needs " + std::to_string(tableSize) +
                            " bytes but the file has " + std::to_string(fileSize) +
                            "; the file was cut short or its header is damaged");
        return std::nullopt;
    }
    table.frames.reserve(header->frameCount);
    for (uint32_t i = 0; i < header->frameCount; ++i) {
        const uint8_t* entry = bytes.data() + kJmvHeaderSize + size_t{kJmvEntrySize} * i;
        JmvFrame f{loadU32(entry + 4), loadU32(entry + 16)};
        uint64_t end = tableSize + f.position + f.size;
        if (end > fileSize) {
            table.problem = "frame " + std::to_string(i) + " of " +
                            std::to_string(header->frameCount) + " (" + std::to_string(f.size) +
                            " bytes at " + std::to_string(tableSize + f.position) +
                            ") reaches past the end of the file (" + std::to_string(fileSize) +
                            " bytes); the movie ends before it. The file was cut short: copy "
                            "or encode it again";
            break;
        }
        table.frames.push_back(f);
    }
    return table;
}

bool decodeJmvFrame(JbpDecoder& decoder, const JmvHeader& header, std::span<const uint8_t> stream,
                    std::span<uint16_t> picture) {
    auto h = parseJbpHeader(stream);
    return h && h->width == header.width && h->height == header.height &&
           decoder.decode(stream, picture);
}

std::optional<std::vector<uint8_t>> writeJmv(uint32_t framesPerSecond, uint32_t width,
                                             uint32_t height,
                                             std::span<const std::vector<uint8_t>> frames) {
    if (frames.size() > (uint64_t{0xFFFFFFFF} - kJmvHeaderSize) / kJmvEntrySize)
        return std::nullopt;
    ByteWriter out;
    out.zeros(8);
    out.u32(static_cast<uint32_t>(frames.size()));
    out.u32(framesPerSecond);
    out.zeros(4);
    out.u32(width);
    out.u32(height);
    out.zeros(20);
    uint64_t position = 0;
    for (const auto& frame : frames) {
        if (position + frame.size() > 0xFFFFFFFF)
            return std::nullopt;
        out.zeros(4);
        out.u32(static_cast<uint32_t>(frame.size()));
        out.zeros(8);
        out.u32(static_cast<uint32_t>(position));
        out.zeros(4);
        position += frame.size();
    }
    for (const auto& frame : frames)
        out.bytes(frame);
    return out.take();
}

}  // namespace marlit
