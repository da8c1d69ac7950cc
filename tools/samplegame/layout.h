// Where the player cuts its pieces from the system pictures: the pictures'
// sizes and every rectangle the screens take from them. The painters draw
// into exactly these rectangles; the tests check that each one holds a
// drawn piece; the table in README.md is printed from it (mksample
// --layout).
#pragma once

#include <string>
#include <vector>

namespace marlit::sample {

struct Rect {
    int x = 0, y = 0, w = 0, h = 0;
};

struct Cut {
    std::string what;
    Rect rect;
};

struct SystemPicture {
    std::string path;  // in the game folder, "\" separated, ".crx"
    int width = 0, height = 0;
    bool keyed = false;  // magenta is transparent where the player shows it
    std::string screen;  // where the player shows it
    std::vector<Cut> cuts;
};

namespace layout {

// Message window ("Messwin.crx").
inline constexpr Rect kWindowBody{0, 0, 760, 214};
inline constexpr Rect kButtonPanel{0, 216, 96, 158};
inline constexpr Rect kWindowButtons[4] = {
    {97, 305, 70, 22}, {167, 305, 86, 22}, {257, 305, 86, 22}, {345, 305, 86, 22}};
inline constexpr Rect kChoiceBar{98, 224, 518, 40};
inline constexpr Rect kChoiceBarLit{98, 264, 518, 40};
// Page-wait mark frame i (0-7); the first is also cut 24 wide from x 736.
Rect waitMark(int frame);
// Map digits (month and day) and weekdays from the window picture.
Rect windowDigit(int digit);
Rect windowWeekday(int weekday);

// Place captions ("place.crx"): the cell and the part the caption shows.
Rect placeCell(int place);
Rect placeCaption(int place);

// Day-card glyphs ("iday.crx").
Rect dayDigit(int digit);
inline constexpr Rect kDayMonthSign{160, 0, 16, 24};
inline constexpr Rect kDayDaySign{176, 0, 16, 24};
Rect dayWeekday(int weekday);

// Petal sheets ("sacra01.crx", "sacra02.crx"): frame f of petal kind k.
Rect petalFrame(int kind, int frame);
int petalFrames(int kind);

// Map icons and pointer ("saveicon.crx").
Rect icon(int index);
inline constexpr Rect kMapPointer{392, 0, 56, 62};

// Map chips ("map_achip.crx", "map_pchip.crx").
Rect mapPreview(int place);
Rect mapButton(int place, bool lit);
inline constexpr Rect kMapDate{672, 0, 192, 32};
// Where the map shows place i's pointer (variant 0 "map_a", 1 "map_p"); its
// icon stands 6 pixels lower. The name buttons sit at (40, 88 + 48 i).
struct MapSpot {
    int x, y;
};
MapSpot mapPointer(int variant, int place);
inline constexpr Rect kMapButtonColumn{40, 88, 152, 432};

// Day-change chips ("timerchip.crx").
Rect dayChoice(int choice, bool lit);
inline constexpr Rect kDayPanel{0, 64, 472, 216};
Rect dayChoicePicture(int choice);

// Title menu ("titlemn.crx"): picture row r (0-6 title menu, 7-11 extras).
Rect titleItem(int row, bool lit);

// Gallery and scene-gallery parts ("cgparts.crx", "scparts.crx").
// Tab t's looks: 0 normal, 1 current character, 2 highlighted.
Rect tab(int t, int look);
Rect pageButton(int index, bool lit);  // 0 five back, 1 previous, 2 next, 3 five on
inline constexpr Rect kBackButton{3, 460, 118, 32};
inline constexpr Rect kBackButtonLit{123, 460, 118, 32};
Rect bigDigit(int digit);    // 0-9; 10 is the slash
Rect smallDigit(int digit);  // 0-9
inline constexpr Rect kSceneLocked{121, 289, 254, 30};
Rect dateBadge(int month, int day);

// Thumbnail sheets ("sam_<name>.crx").
Rect thumbnail(int n, bool lit);
inline constexpr Rect kThumbnailLocked{674, 218, 94, 70};

// Scene page sheets ("<name>_NN.crx").
Rect sceneBar(int i, bool lit);

// Music room ("musicchip.crx", "musictitle.crx").
Rect musicNumber(int c, bool lit);
Rect musicTitleCell(int c, bool lit);
Rect nowPlaying(int d);
struct MusicButton {
    Rect normal;
    int litX, litY;
};
inline constexpr MusicButton kMusicButtons[4] = {
    {{264, 2, 40, 30}, 456, 2},
    {{312, 2, 40, 30}, 504, 2},
    {{709, 41, 56, 24}, 709, 65},
    {{218, 33, 118, 32}, 338, 33},
};
inline constexpr Rect kMusicLabels[3] = {{0, 26, 72, 22}, {72, 2, 72, 22}, {144, 2, 72, 22}};

}  // namespace layout

// Every system picture the sample game ships, with its cuts.
std::vector<SystemPicture> systemPictures();

// The pictures and their cuts as a Markdown table (README.md has it): runs
// of numbered cuts are shown by their first and last rectangle.
std::string layoutTable();

}  // namespace marlit::sample
