#include "apps/marlit/sound_check.h"

#include "base/encoding.h"
#include "base/files.h"
#include "player/shell/game_context.h"
#include "player/sound/game_sound.h"

namespace marlit::app {

namespace {

constexpr int kFullVolume = 100;

}  // namespace

bool SoundCheck::start(GameContext& ctx) {
    Settings& s = ctx.settings;
    s.pcm = kSoundOn;
    s.voicePlay = kSoundOn;
    s.masterVol = s.musicVol = s.voiceVol = kFullVolume;
    ctx.sound->applySettings();
    if (!ctx.soundMixer->hasDevice()) {
        error_ = "no sound device could be opened";
        return false;
    }
    const std::string& asked = music_.empty() ? voice_ : music_;
    // Names in the data set are Shift-JIS.
    auto name = utf8ToSjis(asked);
    if (!name) {
        error_ = "'" + asked + "' has no Shift-JIS spelling";
        return false;
    }
    if (!music_.empty()) {
        ctx.sound->playMusic(*name, 0, false);
        if (!ctx.soundMixer->occupied(MusicPlayer::kSlot)) {
            error_ = "cannot play '" + asked + "' from the music folder " +
                     hostPath(ctx.paths.musicFolder);
            return false;
        }
        return true;
    }
    if (ctx.sound->playScriptVoice(*name) || ctx.sound->playScriptVoice("VOICE\\" + *name))
        return true;
    error_ = "cannot play '" + asked + "' from the voice pack " + hostPath(ctx.paths.voicePack);
    return false;
}

void SoundCheck::end(GameContext& ctx) {
    ending_ = true;
    ctx.platform.events.post(Event{EventType::Close, 0, 0, 0});
}

void SoundCheck::afterTick(GameContext& ctx) {
    if (!active() || ending_)
        return;
    if (!started_) {
        started_ = true;
        if (!start(ctx))
            end(ctx);
        return;
    }
    int32_t position =
        music_.empty() ? ctx.soundMixer->position(kVoiceSlot) : ctx.sound->musicPosition();
    if (position < 0)
        end(ctx);
}

}  // namespace marlit::app
