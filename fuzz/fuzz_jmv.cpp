// The movie reader on untrusted bytes: the header and frame table, every
// frame handed out by the reader thread, decoded at the movie's size and
// drawn into a 320 x 240 and a doubled 640 x 480 device frame buffer.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>
#include <vector>

#include "formats/jbp_stream.h"
#include "formats/jmv_file.h"
#include "platform/device_frame_buffer.h"
#include "player/movie/jmv_reader.h"
#include "player/movie/movie_draw.h"

namespace {

class BytesSource : public marlit::JmvSource {
  public:
    explicit BytesSource(std::span<const uint8_t> bytes) : bytes_(bytes.begin(), bytes.end()) {}
    uint64_t size() const override { return bytes_.size(); }
    bool read(uint64_t offset, std::span<uint8_t> out) override {
        if (offset > bytes_.size() || out.size() > bytes_.size() - offset)
            return false;
        std::memcpy(out.data(), bytes_.data() + offset, out.size());
        return true;
    }

  private:
    std::vector<uint8_t> bytes_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace marlit;
    JmvReader reader;
    if (!reader.open(std::make_unique<BytesSource>(std::span(data, size)), 4096))
        return 0;
    const JmvHeader& h = reader.table().header;
    // Pictures as large as the decoder takes are slow, not wrong.
    if (uint64_t{h.width} * h.height > 1024 * 1024)
        return 0;
    std::vector<uint16_t> picture(size_t{h.paddedWidth()} * h.paddedHeight());
    static DeviceFrameBuffer small(240, 320), large(480, 640);
    JbpDecoder decoder;
    std::vector<uint8_t> frame;
    const uint32_t frames = std::min<uint32_t>(reader.frameCount(), 16);
    for (uint32_t i = 0; i < frames; ++i) {
        if (!reader.frameData(i, frame))
            break;
        if (!decodeJmvFrame(decoder, h, frame, picture))
            continue;
        MovieFrameView view{picture.data(), static_cast<int>(h.width), static_cast<int>(h.height),
                            static_cast<int>(h.paddedWidth())};
        drawMovieFrame(small.base(), small.properties(), 320, 240, view);
        drawMovieFrame(large.base(), large.properties(), 640, 480, view);
    }
    return 0;
}
