// The sounds the scenario asks for, as one small interface: the interpreter
// decides whether a sound is wanted (the skip, the settings the commands
// test); the implementation plays it on its channel. GameSoundChannels is
// the player's, over GameSound; tests give a recorder.
#pragma once

#include <string>
#include <string_view>

namespace marlit {

class GameSound;

class ScenarioSound {
  public:
    virtual ~ScenarioSound() = default;
    // Effect "NNN.mp3" on the effect channel; 255 stops the channel.
    virtual void playEffect(int number, bool loop) = 0;
    virtual void stopEffect() = 0;
    // Music "NN.mp3", looping; 255 stops the music.
    virtual void playMusic(int number) = 0;
    virtual void stopMusic() = 0;
    // A voice (its ".mp3" name) from the voice pack on the voice channel.
    virtual void playVoice(std::string_view name) = 0;
    // The voice channels (the voice and the one stopped with it).
    virtual void stopVoice() = 0;
    virtual bool voicePlaying() = 0;
    // Every channel and the music.
    virtual void stopAll() = 0;
    // The music piece asked for last ("" when stopped).
    virtual std::string musicName() const = 0;
    // The effect file looping on the effect channel ("" when none).
    virtual std::string loopingEffect() const { return {}; }
    // A save's music and looping effect started again by name.
    virtual void restoreMusic(std::string_view /*name*/) {}
    virtual void restoreLoopingEffect(std::string_view /*name*/) {}
};

class GameSoundChannels : public ScenarioSound {
  public:
    explicit GameSoundChannels(GameSound& sound) : sound_(sound) {}
    void playEffect(int number, bool loop) override;
    void stopEffect() override;
    void playMusic(int number) override;
    void stopMusic() override;
    void playVoice(std::string_view name) override;
    void stopVoice() override;
    bool voicePlaying() override;
    void stopAll() override;
    std::string musicName() const override;
    std::string loopingEffect() const override;
    void restoreMusic(std::string_view name) override;
    void restoreLoopingEffect(std::string_view name) override;

  private:
    GameSound& sound_;
};

}  // namespace marlit
