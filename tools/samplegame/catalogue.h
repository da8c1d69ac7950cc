// The names of the sample game: its places, heroines, music, effects and
// spoken lines. The pictures and sounds are made from these lists, and the
// story's scripts (STORY.md) use exactly these names.
#pragma once

#include <string>
#include <vector>

namespace marlit::sample {

// A place of the town: its background picture under "AdvData\GRP\BG\", the
// place number its caption has in "place.crx" and on the map, its name.
struct Place {
    int number;
    const char* background;  // file name without extension
    const char* name;        // UTF-8
};
const std::vector<Place>& places();

// The two heroines: file code (pictures, galleries), route letter (script
// names, map icons), voice folder, given name.
struct Heroine {
    const char* code;
    char letter;
    const char* voiceFolder;
    const char* name;  // UTF-8
    int route;         // index of the route, the day card and the gallery tab
};
const std::vector<Heroine>& heroines();

// A music piece "NN.pcm": its number, title, length and how it is stored.
enum class SoundCodec { Raw, Delta, Transform, Wave };
struct MusicPiece {
    int number;
    const char* title;  // UTF-8
    int style;          // the composer's style (music.h)
    float seconds;      // length of the full game's file
    SoundCodec codec;
    bool inSmallGame;  // the story's and the screens' pieces
};
const std::vector<MusicPiece>& musicPieces();
// The titles of the music room's 37 places (pieces that are not shipped
// read as a dash).
std::string musicTitle(int number);

// A sound effect "NNN.pcm".
struct Effect {
    int number;
    const char* name;  // what it is (English, for the README)
    SoundCodec codec;
};
const std::vector<Effect>& effects();

// A spoken line of the voice archive: its clip name ("DUZ\duz0001.pcm"),
// who speaks, the text as the story shows it and the kana the speech
// synthesizer reads.
struct VoiceLine {
    std::string clip;
    int heroine;  // index into heroines(), -1 for a crowd
    std::string text;
    std::string reading;
};
// The story's lines, the title screen's lines (15 situations per heroine)
// and the map's crowd voices, in archive order.
std::vector<VoiceLine> voiceLines();

// Scene titles by heroine for the scene gallery's page sheets, and the
// event pictures of the picture gallery by heroine and thumbnail.
struct SceneEntry {
    int date;            // month × 100 + day
    const char* script;  // the script the scene gallery replays
    const char* title;   // UTF-8
};
std::vector<SceneEntry> scenesOf(int heroine);
std::vector<std::vector<std::string>> galleryOf(int heroine);

}  // namespace marlit::sample
