#include "converter/platform/mp3_encoder.h"

#include <dlfcn.h>

#include <lame/lame.h>
#include <cstdlib>

#include <algorithm>
#include <mutex>

namespace marlit {

struct Mp3Encoder::Api {
    decltype(&lame_init) init;
    decltype(&lame_close) close;
    decltype(&lame_set_num_channels) setChannels;
    decltype(&lame_set_in_samplerate) setInRate;
    decltype(&lame_set_out_samplerate) setOutRate;
    decltype(&lame_set_brate) setBitRate;
    decltype(&lame_set_mode) setMode;
    decltype(&lame_set_VBR) setVbr;
    decltype(&lame_set_bWriteVbrTag) setWriteVbrTag;
    decltype(&lame_set_write_id3tag_automatic) setWriteId3Automatic;
    decltype(&lame_init_params) initParams;
    decltype(&lame_encode_buffer) encodeMono;
    decltype(&lame_encode_buffer_interleaved) encodeInterleaved;
    decltype(&lame_encode_flush) flush;
    decltype(&get_lame_version) version;
};

namespace {

// LAME fills tables shared by all its encoders while it sets one up.
std::mutex setupMutex;

template <class T>
bool resolve(void* handle, const char* name, T& out) {
    out = reinterpret_cast<T>(::dlsym(handle, name));
    return out != nullptr;
}

// Frames handed to LAME per call: bounds the output buffer it needs.
constexpr size_t kChunkFrames = 65536;

}  // namespace

Mp3Encoder::Mp3Encoder(void* handle, std::unique_ptr<Api> api)
    : handle_(handle), api_(std::move(api)) {}

Mp3Encoder::~Mp3Encoder() {
    ::dlclose(handle_);
}

std::unique_ptr<Mp3Encoder> Mp3Encoder::load(const char* libraryName, std::string* why) {
    void* handle = ::dlopen(libraryName, RTLD_NOW | RTLD_LOCAL);
    if (!handle) {
        if (why)
            *why = std::string(libraryName) + " could not be loaded";
        return nullptr;
    }
    auto api = std::make_unique<Api>();
    bool ok = resolve(handle, "lame_init", api->init) &&
              resolve(handle, "lame_close", api->close) &&
              resolve(handle, "lame_set_num_channels", api->setChannels) &&
              resolve(handle, "lame_set_in_samplerate", api->setInRate) &&
              resolve(handle, "lame_set_out_samplerate", api->setOutRate) &&
              resolve(handle, "lame_set_brate", api->setBitRate) &&
              resolve(handle, "lame_set_mode", api->setMode) &&
              resolve(handle, "lame_set_VBR", api->setVbr) &&
              resolve(handle, "lame_set_bWriteVbrTag", api->setWriteVbrTag) &&
              resolve(handle, "lame_set_write_id3tag_automatic", api->setWriteId3Automatic) &&
              resolve(handle, "lame_init_params", api->initParams) &&
              resolve(handle, "lame_encode_buffer", api->encodeMono) &&
              resolve(handle, "lame_encode_buffer_interleaved", api->encodeInterleaved) &&
              resolve(handle, "lame_encode_flush", api->flush) &&
              resolve(handle, "get_lame_version", api->version);
    if (!ok) {
        if (why)
            *why = std::string(libraryName) + " lacks an entry point of the encoder";
        ::dlclose(handle);
        return nullptr;
    }
    return std::unique_ptr<Mp3Encoder>(new Mp3Encoder(handle, std::move(api)));
}

const char* mp3EncoderLibrary() {
    // MARLIT_LAME_LIBRARY names another build of the library to load.
    const char* name = std::getenv("MARLIT_LAME_LIBRARY");
    return name && *name ? name : kLameLibrary;
}

const Mp3Encoder* Mp3Encoder::shared() {
    static const std::unique_ptr<Mp3Encoder> encoder = load(mp3EncoderLibrary());
    return encoder.get();
}

std::string Mp3Encoder::version() const {
    const char* text = api_->version();
    return text ? text : "";
}

std::optional<std::vector<uint8_t>> Mp3Encoder::encode(const PcmAudio& pcm, int kbps,
                                                       std::string* why) const {
    const uint16_t channels = pcm.format.channels;
    if (channels != 1 && channels != 2) {
        if (why)
            *why = "the encoder takes one or two channels";
        return std::nullopt;
    }
    std::unique_ptr<lame_global_flags, decltype(api_->close)> flags(nullptr, api_->close);
    {
        std::lock_guard lock(setupMutex);
        flags.reset(api_->init());
        if (!flags) {
            if (why)
                *why = "the encoder could not start";
            return std::nullopt;
        }
        lame_global_flags* f = flags.get();
        api_->setChannels(f, channels);
        api_->setInRate(f, static_cast<int>(pcm.format.rate));
        api_->setOutRate(f, static_cast<int>(pcm.format.rate));
        api_->setVbr(f, vbr_off);
        api_->setBitRate(f, kbps);
        api_->setMode(f, channels == 1 ? MONO : JOINT_STEREO);
        api_->setWriteVbrTag(f, 0);
        api_->setWriteId3Automatic(f, 0);
        if (api_->initParams(f) < 0) {
            if (why)
                *why = "the encoder rejected the settings";
            return std::nullopt;
        }
    }

    std::vector<uint8_t> out;
    std::vector<unsigned char> buffer(kChunkFrames * 5 / 4 + 7200);
    const size_t frames = pcm.frames();
    for (size_t pos = 0; pos < frames; pos += kChunkFrames) {
        const int n = static_cast<int>(std::min(kChunkFrames, frames - pos));
        const short* in = pcm.samples.data() + pos * channels;
        const int size = static_cast<int>(buffer.size());
        int written = channels == 1
                          ? api_->encodeMono(flags.get(), in, nullptr, n, buffer.data(), size)
                          : api_->encodeInterleaved(flags.get(), const_cast<short*>(in), n,
                                                    buffer.data(), size);
        if (written < 0) {
            if (why)
                *why = "encoding failed";
            return std::nullopt;
        }
        out.insert(out.end(), buffer.begin(), buffer.begin() + written);
    }
    int written = api_->flush(flags.get(), buffer.data(), static_cast<int>(buffer.size()));
    if (written < 0) {
        if (why)
            *why = "encoding failed";
        return std::nullopt;
    }
    out.insert(out.end(), buffer.begin(), buffer.begin() + written);
    return out;
}

std::optional<std::vector<uint8_t>> EncodeMp3(const PcmAudio& pcm, int kbps, std::string* why) {
    const Mp3Encoder* encoder = Mp3Encoder::shared();
    if (!encoder) {
        if (why)
            *why = std::string("the MP3 encoder ") + kLameLibrary + " is not available";
        return std::nullopt;
    }
    return encoder->encode(pcm, kbps, why);
}

std::optional<std::string> mp3EncoderVersion() {
    const Mp3Encoder* encoder = Mp3Encoder::shared();
    if (!encoder)
        return std::nullopt;
    std::string text = encoder->version();
    if (text.empty())
        return std::nullopt;
    return text;
}

}  // namespace marlit
