#include "tools/samplegame/opening_movie.h"

#include <algorithm>
#include <cmath>

#include "converter/sound_convert.h"
#include "formats/jbp_stream.h"
#include "formats/jmv_file.h"
#include "tools/samplegame/music.h"
#include "tools/samplegame/scenery.h"
#include "tools/samplegame/title_pictures.h"
#include "tools/samplegame/ui_kit.h"

namespace marlit::sample {

namespace {

constexpr int kFrames = kOpeningFps * kOpeningSeconds;
constexpr int kQuality = 90;

// A falling petal: where it starts, how fast it falls and drifts, how it
// tumbles.
struct Petal {
    float x, y, fall, drift, spin, phase, size;
};

std::vector<Petal> petals() {
    std::vector<Petal> list;
    uint32_t state = 0x5eed;
    auto next = [&state] {
        state = state * 1664525u + 1013904223u;
        return static_cast<float>(state >> 8) / static_cast<float>(1u << 24);
    };
    for (int i = 0; i < 26; ++i) {
        list.push_back({next() * kOpeningWidth, next() * kOpeningHeight - kOpeningHeight,
                        30 + next() * 40, -12 + next() * 24, 1 + next() * 3, next() * 6.28f,
                        4 + next() * 3});
    }
    return list;
}

float smooth(float t) {
    t = std::clamp(t, 0.0f, 1.0f);
    return t * t * (3 - 2 * t);
}

// Frame i of the movie.
Canvas paintFrame(const Canvas& scroll, const Canvas& name, const std::vector<Petal>& fall, int i) {
    const float seconds = static_cast<float>(i) / kOpeningFps;
    // Down the sky in the first four seconds, then still on the cape.
    const int top =
        static_cast<int>(std::lround(smooth(seconds / 4.0f) * (scroll.height() - kOpeningHeight)));
    Canvas frame = scroll.crop(0, top, kOpeningWidth, kOpeningHeight);
    for (const Petal& p : fall) {
        const float y = p.y + p.fall * seconds;
        const float x = p.x + p.drift * seconds + 6 * std::sin(p.phase + seconds * p.spin);
        const float wrapped = std::fmod(y + kOpeningHeight, 2.0f * kOpeningHeight) - kOpeningHeight;
        paintPetal(frame, {x, wrapped}, p.size, p.phase + seconds * p.spin,
                   std::cos(p.phase + seconds * p.spin * 1.7f), ui::kBlossom);
    }
    // The name comes in over the last two seconds.
    frame.draw(name, 0, 0, smooth((seconds - 4.0f) / 1.5f));
    // From black in the first second, to black in the last half second.
    const float light = smooth(seconds / 1.0f) * smooth((kOpeningSeconds - seconds) / 0.5f);
    if (light < 1.0f) {
        Canvas dark(kOpeningWidth, kOpeningHeight, {0, 0, 0, 1.0f - light});
        frame.draw(dark, 0, 0);
    }
    return frame;
}

}  // namespace

std::optional<std::vector<uint8_t>> makeOpeningMovie(const Font& font, std::string* why) {
    const Canvas tall = paintTitleScroll();
    const Canvas scroll = tall.scaled(kOpeningWidth, tall.height() * kOpeningWidth / tall.width());
    Canvas name(kOpeningWidth, kOpeningHeight);
    TextStyle style = outlinedText(rgb(0xffffff), ui::kNavy, 2);
    font.drawIn(name, "はるまちの岬", 0, 30, kOpeningWidth, 50, 36, style);
    const std::vector<Petal> fall = petals();

    std::vector<std::vector<uint8_t>> frames;
    for (int i = 0; i < kFrames; ++i) {
        const Bitmap bitmap = paintFrame(scroll, name, fall, i).toBitmap24();
        auto stream = EncodeJbp(bitmap.view(), kQuality);
        if (!stream) {
            if (why)
                *why = "frame " + std::to_string(i) + " could not be encoded";
            return std::nullopt;
        }
        frames.push_back(std::move(*stream));
    }
    auto file = writeJmv(kOpeningFps, kOpeningWidth, kOpeningHeight, frames);
    if (!file && why)
        *why = "the frames do not fit a movie file";
    return file;
}

std::optional<std::vector<uint8_t>> makeOpeningSound(std::string* why) {
    Composition plan;
    plan.style = 4;  // the music box
    plan.seed = 77;
    plan.seconds = kOpeningSeconds + 2;
    PcmAudio audio = composeMusic(plan);
    // Cut to the movie's length, fading over the last second and a half so
    // that the sound ends with the last frame.
    const size_t frames = size_t{audio.format.rate} * kOpeningSeconds;
    const size_t channels = audio.format.channels;
    audio.samples.resize(std::min(audio.samples.size(), frames * channels));
    const size_t fade = audio.format.rate * 3 / 2;
    const size_t have = audio.frames();
    for (size_t f = have > fade ? have - fade : 0; f < have; ++f) {
        const float gain = static_cast<float>(have - f) / static_cast<float>(fade);
        for (size_t c = 0; c < channels; ++c) {
            int16_t& s = audio.samples[f * channels + c];
            s = static_cast<int16_t>(std::lround(s * gain));
        }
    }
    return encodeSound(audio, Mp3Settings{}, why);
}

}  // namespace marlit::sample
