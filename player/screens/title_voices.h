// The title's spoken reactions: 18 rows of voice-pack name patterns, one per
// character, each with a "%z2" for the situation number (1 the logo, 2 the
// title shown, 3-11 menu items, 12-15 the time of day). They are played in
// sound slot 6, and only when voices are on.
//
// The patterns are a game table, title_voices.txt: one pattern a line
// (row 1 first), blank lines and lines starting with "#" skipped; a row
// without a pattern is silent.
#pragma once

#include <string>
#include <vector>

#include "player/core/random.h"
#include "player/sound/game_sound.h"

namespace marlit {

class TitleVoices {
  public:
    static constexpr int kRows = 18;

    TitleVoices(GameSound& sound, GameRandom& random, std::vector<std::string> patterns)
        : sound_(sound), random_(random), patterns_(std::move(patterns)) {}

    // The patterns of another table (the data set's, once the configuration
    // has said where it is).
    void setPatterns(std::vector<std::string> patterns) { patterns_ = std::move(patterns); }

    // The voice name of a situation for a character (row = character mod 18);
    // empty when the row has no pattern.
    std::string name(int situation, int character) const;
    // Plays the situation for a random character.
    void play(int situation);
    void stop() { sound_.stopTitleVoice(); }
    // The name last asked for (empty for a silent row), for the trace.
    const std::string& lastAsked() const { return last_; }

  private:
    GameSound& sound_;
    GameRandom& random_;
    std::vector<std::string> patterns_;
    std::string last_;
};

// Reads title_voices.txt. A line that is not a pattern with one "%z2" is
// reported as "FILE:LINE: what" and its row left silent; a missing file
// gives no rows and one line.
std::vector<std::string> readTitleVoices(const std::string& hostPath,
                                         std::vector<std::string>& warnings);
// The title_voices.txt the player reads: in the first of `folders` that
// has one, else where the last would hold it (reading it then says so).
std::string titleVoiceFile(const std::vector<std::string>& folders);

}  // namespace marlit
