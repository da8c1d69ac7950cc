#include "player/sound/mp3_decoder.h"

#include <mpg123.h>

#include <cstring>
#include <mutex>

namespace marlit {

namespace {

constexpr int kBitRatesV1[16] = {0,   32,  40,  48,  56,  64,  80,  96,
                                 112, 128, 160, 192, 224, 256, 320, 0};
constexpr int kBitRatesV2[16] = {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160, 0};
constexpr int kSampleRatesV1[4] = {44100, 48000, 32000, 0};

bool libraryReady() {
    static std::once_flag once;
    static bool ready = false;
    std::call_once(once, [] { ready = mpg123_init() == MPG123_OK; });
    return ready;
}

}  // namespace

bool parseMp3Header(const uint8_t header[4], Mp3Header& out) {
    if (header[0] != 0xFF || (header[1] & 0xE0) != 0xE0)
        return false;
    int versionBits = (header[1] >> 3) & 3;
    int layerBits = (header[1] >> 1) & 3;
    int bitRateIndex = header[2] >> 4;
    int rateIndex = (header[2] >> 2) & 3;
    // Layer III only; free-format and reserved values are refused.
    if (versionBits == 1 || layerBits != 1 || bitRateIndex == 0 || bitRateIndex == 15 ||
        rateIndex == 3 || (header[3] & 3) == 2) {
        return false;
    }
    int padding = (header[2] >> 1) & 1;
    Mp3Header h;
    h.version = versionBits == 3 ? 1 : versionBits == 2 ? 2 : 25;
    h.channels = (header[3] >> 6) == 3 ? 1 : 2;
    h.sampleRate = kSampleRatesV1[rateIndex] / (h.version == 1 ? 1 : h.version == 2 ? 2 : 4);
    h.bitRate = h.version == 1 ? kBitRatesV1[bitRateIndex] : kBitRatesV2[bitRateIndex];
    int perFrame = h.version == 1 ? 144000 : 72000;
    h.frameLength = perFrame * h.bitRate / h.sampleRate + padding;
    out = h;
    return true;
}

struct Mp3Decoder::Handle {
    mpg123_handle* mh = nullptr;
    ~Handle() {
        if (mh)
            mpg123_delete(mh);
    }
};

std::unique_ptr<Mp3Decoder> Mp3Decoder::create(const uint8_t header[4]) {
    Mp3Header first;
    if (!parseMp3Header(header, first) || !libraryReady())
        return nullptr;
    auto handle = std::make_unique<Handle>();
    int error = 0;
    handle->mh = mpg123_new(nullptr, &error);
    if (!handle->mh)
        return nullptr;
    mpg123_handle* mh = handle->mh;
    // Whole frames are fed one at a time: no read-ahead, no gapless trimming
    // and no hidden info frame, so every frame fed gives its own samples.
    bool ok = mpg123_param(mh, MPG123_FLAGS,
                           MPG123_QUIET | MPG123_NO_READAHEAD | MPG123_IGNORE_INFOFRAME |
                               MPG123_NO_FRANKENSTEIN | MPG123_FORCE_ENDIAN | MPG123_NO_RESYNC,
                           0) == MPG123_OK &&
              mpg123_format_none(mh) == MPG123_OK &&
              mpg123_format(mh, first.sampleRate, first.channels == 1 ? MPG123_MONO : MPG123_STEREO,
                            MPG123_ENC_SIGNED_16) == MPG123_OK &&
              mpg123_open_feed(mh) == MPG123_OK;
    if (!ok)
        return nullptr;
    return std::unique_ptr<Mp3Decoder>(new Mp3Decoder(std::move(handle), first));
}

Mp3Decoder::Mp3Decoder(std::unique_ptr<Handle> handle, const Mp3Header& first)
    : handle_(std::move(handle)), first_(first), current_(first) {}

Mp3Decoder::~Mp3Decoder() = default;

int Mp3Decoder::predecode(const uint8_t header[4]) {
    Mp3Header h;
    if (!parseMp3Header(header, h))
        return 1;
    // The output format is fixed by the first frame; a frame of another
    // rate or channel count would not fit it.
    if (h.version != first_.version || h.sampleRate != first_.sampleRate ||
        h.channels != first_.channels) {
        return 1;
    }
    current_ = h;
    return 0;
}

void Mp3Decoder::restart() {
    // Drops whatever the decoder holds of a broken frame; the next frame
    // starts clean (without the bit reservoir).
    mpg123_open_feed(handle_->mh);
}

int Mp3Decoder::decode(int16_t* pcm, const uint8_t* frame, size_t length) {
    mpg123_handle* mh = handle_->mh;
    if (length < 4 || length > kMp3MaxFrameBytes || mpg123_feed(mh, frame, length) != MPG123_OK) {
        restart();
        return 0;
    }
    // A new stream announces its format once before its first samples.
    for (int attempt = 0; attempt < 3; ++attempt) {
        off_t number = 0;
        unsigned char* audio = nullptr;
        size_t bytes = 0;
        int result = mpg123_decode_frame(mh, &number, &audio, &bytes);
        if (result == MPG123_NEW_FORMAT)
            continue;
        size_t frameBytes = static_cast<size_t>(first_.channels) * 2;
        if (result != MPG123_OK || bytes == 0 || bytes > kMp3PcmBytes) {
            restart();
            return 0;
        }
        long left = 0;
        double unused = 0;
        // A frame shorter than the header said leaves bytes behind that
        // would be read as the start of the next frame.
        if (mpg123_getstate(mh, MPG123_BUFFERFILL, &left, &unused) == MPG123_OK && left != 0) {
            restart();
        }
        std::memcpy(pcm, audio, bytes - bytes % frameBytes);
        return static_cast<int>(bytes / frameBytes);
    }
    restart();
    return 0;
}

}  // namespace marlit
