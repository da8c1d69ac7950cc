#include "tools/sound/voice_archive_writer.h"

#include <gtest/gtest.h>

#include <cmath>

#include "converter/pcm_sound.h"
#include "converter/voice_archive.h"
#include "converter/voice_clip.h"
#include "converter/wave_file.h"
#include "tools/sound/pcm_sound_writer.h"

namespace marlit::sound {
namespace {

PcmAudio tone(size_t frames, double frequency) {
    PcmAudio a{{22050, 1}, {}};
    for (size_t i = 0; i < frames; ++i)
        a.samples.push_back(
            static_cast<int16_t>(std::lround(9000 * std::sin(6.2832 * frequency * i / 22050))));
    return a;
}

TEST(VoiceArchiveWriter, ClipsOfEveryKindComeBackInOrder) {
    const PcmAudio a = tone(9000, 440), b = tone(3000, 660), c = tone(5000, 330);
    const std::vector<VoiceArchiveClip> clips = {
        {"DUZ\\duz0001.pcm", archivedTransformClip(a)},
        {"DUZ\\duz0002.pcm", writeRawSound(b)},
        {"SEL\\sel0001.pcm", writeWave(c)},
    };
    std::string error;
    auto archive = writeVoiceArchive(clips, &error);
    ASSERT_TRUE(archive) << error;
    auto parsed = VoiceArchive::parse(*archive, archive->size(), &error);
    ASSERT_TRUE(parsed) << error;
    ASSERT_EQ(parsed->clips().size(), 3u);
    const PcmAudio* want[3] = {&a, &b, &c};
    for (size_t i = 0; i < 3; ++i) {
        const VoiceClip& clip = parsed->clips()[i];
        EXPECT_EQ(clip.name, clips[i].name);
        ASSERT_TRUE(clip.valid);
        EXPECT_EQ(clip.length, clips[i].bytes.size());
        std::span<const uint8_t> bytes(archive->data() + clip.offset, clip.length);
        auto audio = decodeVoiceClip(bytes, &error);
        ASSERT_TRUE(audio) << clip.name << ": " << error;
        ASSERT_EQ(audio->samples.size(), want[i]->samples.size()) << clip.name;
        // Raw and WAVE clips are the samples; the transform clip is close.
        double signal = 0, error = 0;
        for (size_t k = 0; k < audio->samples.size(); ++k) {
            signal += static_cast<double>(want[i]->samples[k]) * want[i]->samples[k];
            const double e = audio->samples[k] - want[i]->samples[k];
            error += e * e;
        }
        if (i == 0)
            EXPECT_GT(10 * std::log10(signal / std::max(error, 1.0)), 30.0) << clip.name;
        else
            EXPECT_EQ(error, 0.0) << clip.name;
    }
    // The transform clip's payload is stored compressed: far smaller than
    // its blocks.
    EXPECT_LT(clips[0].bytes.size(), 8192u);
}

TEST(VoiceArchiveWriter, RefusesANameThatDoesNotFitItsField) {
    std::string error;
    const std::string tooLong(60, 'a');
    EXPECT_FALSE(writeVoiceArchive({{tooLong, {1, 2, 3}}}, &error));
    EXPECT_NE(error.find(tooLong), std::string::npos);
    EXPECT_FALSE(writeVoiceArchive({{"", {1}}}, &error));
    EXPECT_TRUE(writeVoiceArchive({{std::string(59, 'a'), {1}}}, &error));
}

}  // namespace
}  // namespace marlit::sound
