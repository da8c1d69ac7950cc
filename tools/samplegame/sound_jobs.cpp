#include "tools/samplegame/sound_jobs.h"

#include <atomic>
#include <cstdio>
#include <mutex>
#include <thread>

#include "converter/wave_file.h"
#include "tools/samplegame/catalogue.h"
#include "tools/samplegame/effects.h"
#include "tools/samplegame/music.h"
#include "tools/samplegame/voice.h"
#include "tools/sound/pcm_sound_writer.h"
#include "tools/sound/voice_archive_writer.h"

namespace marlit::sample {

namespace {

std::vector<uint8_t> store(const PcmAudio& audio, SoundCodec codec) {
    switch (codec) {
        case SoundCodec::Raw:
            return sound::writeRawSound(audio);
        case SoundCodec::Delta:
            return sound::writeDeltaSound(audio);
        case SoundCodec::Transform:
            return sound::writeTransformSound(audio);
        case SoundCodec::Wave:
            return writeWave(audio);
    }
    return {};
}

std::optional<std::vector<uint8_t>> voiceArchive(int threads, std::string* error) {
    const std::vector<VoiceLine> lines = voiceLines();
    std::vector<sound::VoiceArchiveClip> clips(lines.size());
    std::vector<std::string> failures(lines.size());
    std::atomic<size_t> next{0};
    auto work = [&] {
        for (size_t i = next++; i < lines.size(); i = next++) {
            const VoiceLine& line = lines[i];
            auto audio = speak(line.reading, speakerOf(line.heroine), &failures[i]);
            if (!audio)
                continue;
            clips[i].name = line.clip;
            // Most clips are transform coded as the archive keeps them; one
            // is raw PCM and one a WAVE file, as the game has a few.
            if (line.clip == "DUZ\\duz0001.pcm")
                clips[i].bytes = sound::writeRawSound(*audio);
            else if (line.clip == "SEL\\sel0001.pcm")
                clips[i].bytes = writeWave(*audio);
            else
                clips[i].bytes = sound::archivedTransformClip(*audio);
        }
    };
    std::vector<std::thread> pool;
    for (int t = 1; t < threads; ++t)
        pool.emplace_back(work);
    work();
    for (auto& t : pool)
        t.join();
    for (const std::string& f : failures) {
        if (!f.empty()) {
            if (error)
                *error = f;
            return std::nullopt;
        }
    }
    return sound::writeVoiceArchive(clips, error);
}

}  // namespace

std::vector<SoundJob> soundJobs(bool small, int threads) {
    std::vector<SoundJob> jobs;
    for (const MusicPiece& piece : musicPieces()) {
        if (small && !piece.inSmallGame)
            continue;
        char path[32];
        std::snprintf(path, sizeof path, "AdvData\\BGM\\%02d.pcm", piece.number);
        Composition plan;
        plan.style = piece.style;
        plan.seed = static_cast<uint32_t>(piece.number);
        plan.seconds = piece.seconds;
        // The ending's pictures follow the music's position, so its piece
        // keeps its length; the staff roll is cut short in the small game.
        if (small && piece.number != 26)
            plan.seconds = piece.number == 27 ? 20 : 4;
        if (piece.number == 26 || piece.number == 27)
            plan.fadeOut = 3;
        if (piece.codec == SoundCodec::Transform)
            plan.channels = 1;
        // One piece at 44100 Hz, which the converter takes without
        // resampling at its 44.1 kHz setting.
        if (piece.number == 15 && !small)
            plan.rate = 44100;
        const SoundCodec codec = piece.codec;
        jobs.push_back({path, [plan, codec](std::string*) -> std::optional<std::vector<uint8_t>> {
                            return store(composeMusic(plan), codec);
                        }});
    }
    for (const Effect& effect : effects()) {
        char path[32];
        std::snprintf(path, sizeof path, "AdvData\\SE\\%03d.pcm", effect.number);
        const int number = effect.number;
        const SoundCodec codec = effect.codec;
        jobs.push_back(
            {path, [number, codec, small](std::string*) -> std::optional<std::vector<uint8_t>> {
                 PcmAudio audio = synthesizeEffect(number, small);
                 if (codec == SoundCodec::Transform) {
                     // Transform-coded sounds are one channel.
                     PcmAudio mono{{audio.format.rate, 1}, {}};
                     for (size_t i = 0; i < audio.samples.size(); i += 2)
                         mono.samples.push_back(audio.samples[i]);
                     audio = std::move(mono);
                 }
                 return store(audio, codec);
             }});
    }
    jobs.push_back(
        {"voice.dat", [threads](std::string* error) { return voiceArchive(threads, error); }});
    return jobs;
}

}  // namespace marlit::sample
