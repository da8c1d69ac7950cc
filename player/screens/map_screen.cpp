#include "player/screens/map_screen.h"

#include <cctype>

namespace marlit {

namespace {

constexpr const char* kMaps[2] = {"AdvData\\grp\\system\\map_a.rbp",
                                  "AdvData\\grp\\system\\map_p.rbp"};
constexpr const char* kChips[2] = {"AdvData\\grp\\system\\map_achip.rbp",
                                   "AdvData\\grp\\system\\map_pchip.rbp"};
constexpr const char* kIcons = "AdvData\\grp\\system\\saveicon.rbp";

constexpr int kMapSlot = 10;
constexpr int kChipSlot = 11;
constexpr int kIconSlot = 12;
constexpr int kDigitSlot = 1;  // the message window's picture

constexpr int kMapSprite = 10;
constexpr int kPreviewSprite = 11;
constexpr int kDateSprite = 12;
constexpr int kMonthSprite = 13;
constexpr int kTensSprite = 14;
constexpr int kUnitsSprite = 15;
constexpr int kWeekdaySprite = 16;
constexpr int kPointerSprite = 19;
constexpr int kFirstIconSprite = 30;
constexpr int kFirstButtonSprite = 40;

constexpr int kButtonX = 40;
constexpr int kButtonTop = 88;
constexpr int kButtonStep = 48;
constexpr int kButtonWidth = 152;
constexpr int kButtonHeight = 32;
constexpr int kIconSize = 56;
constexpr uint32_t kIconMs = 750;
constexpr uint32_t kFadeMs = 1000;

DesignRect buttonRect(int i) {
    return {kButtonX, kButtonTop + kButtonStep * i, kButtonWidth, kButtonHeight};
}

DesignRect buttonSource(int i, bool lit) {
    return {lit ? 832 : 672, 32 * (i + 1), kButtonWidth, kButtonHeight};
}

DesignRect iconSource(int icon) {
    return {(icon % 8) * kIconSize, (icon / 8) * kIconSize, kIconSize, kIconSize};
}

// The character letter `n` places after the "_" of a script name; 0 when
// there is none.
char letterAfterUnderscore(const std::string& script, size_t n) {
    const size_t at = script.find('_');
    if (at == std::string::npos || at + 1 + n >= script.size())
        return 0;
    const char c = script[at + 1 + n];
    return std::isalpha(static_cast<unsigned char>(c)) ? c : 0;
}

}  // namespace

int MapScreen::firstIcon(const ScreenTables& tables, const std::string& script) {
    const int icon = tables.icon(letterAfterUnderscore(script, 0));
    return icon < 0 ? ScreenTables::kOtherIcon : icon;
}

int MapScreen::secondIcon(const ScreenTables& tables, const std::string& script) {
    if (letterAfterUnderscore(script, 0) == 0)
        return -1;
    return tables.icon(letterAfterUnderscore(script, 1));
}

int MapScreen::halfDay() const {
    return story_.vars.get(var::kHalfDay);
}

const ScheduleCell& MapScreen::cell(int place) const {
    return tables_.schedule[static_cast<size_t>(row_)][static_cast<size_t>(place)];
}

const MapPlace& MapScreen::place(int i) const {
    return tables_.places[static_cast<size_t>(variant_)][static_cast<size_t>(i)];
}

void MapScreen::step() {
    runStep();
    s_.graphics.redrawScreen();
}

void MapScreen::showIcon(int i, const std::string& script) {
    GraphicsOps& g = s_.graphics;
    const int sprite = kFirstIconSprite + i;
    const MapPlace& p = place(i);
    const DesignRect first = iconSource(firstIcon(tables_, script));
    g.showPicture(sprite, kIconSlot, first, {p.pointerX, p.pointerY + 6}, 62);
    const int second = secondIcon(tables_, script);
    if (second < 0)
        return;
    // Two characters: their icons in turn.
    const DesignRect other = iconSource(second);
    g.animateSprite(sprite, {AnimationFrame{kIconSlot, first.x, first.y, first.width, first.height,
                                            0, 0, static_cast<int>(kIconMs), 1},
                             AnimationFrame{kIconSlot, other.x, other.y, other.width, other.height,
                                            0, 0, static_cast<int>(kIconMs), 0}});
}

void MapScreen::showDate() {
    GraphicsOps& g = s_.graphics;
    g.showPicture(kDateSprite, kChipSlot, {672, 0, 192, 32}, {24, 8}, 62);
    auto digit = [&](int sprite, int value, int x) {
        g.showPicture(sprite, kDigitSlot, {(value + 27) * 16, 360, 16, 24}, {x, 16}, 60);
    };
    const int month = story_.vars.get(var::kMonth);
    const int day = story_.vars.get(var::kDay);
    const int weekday = story_.vars.get(var::kWeekday);
    digit(kMonthSprite, month, 64);
    if (day > 9)
        digit(kTensSprite, day / 10, 98);
    digit(kUnitsSprite, day % 10, 112);
    g.showPicture(kWeekdaySprite, kDigitSlot, {weekday * 32 + 432, 338, 32, 22}, {160, 14}, 60);
}

void MapScreen::setUp() {
    GraphicsOps& g = s_.graphics;
    s_.sound.stopMusic();
    const int flag = halfDay() != 0 ? 0 : 1;
    story_.vars.set(var::kHalfDay, flag);
    story_.setWindowShown(false);
    g.removeSprites(24, 29);
    for (int slot = 24; slot <= 29; ++slot)
        g.freePicture(slot);
    variant_ = flag;
    const int day = story_.vars.get(var::kDay);
    // On a day outside the schedule the previous day's pair stays; the
    // half-day picks the row within it.
    const int first = ScreenTables::firstRowOfDay(day);
    row_ = (first >= 0 ? first : row_ - row_ % 2) + flag;
    if (day == 3)
        variant_ = 1;
    g.loadPicture(kMapSlot, kMaps[variant_], false);
    g.loadPicture(kChipSlot, kChips[variant_], true);
    g.loadPicture(kIconSlot, kIcons, true);
    g.showWholePicture(kMapSprite, kMapSlot, {0, 0}, 64);
    for (int i = 0; i < ScreenTables::kPlaces; ++i) {
        const DesignRect r = buttonRect(i);
        g.showPicture(kFirstButtonSprite + i, kChipSlot, buttonSource(i, false), {r.x, r.y}, 62);
        showIcon(i, cell(i).script);
    }
    showDate();
    selection_ = kNone;
    s_.sound.playMusic(kMusic, 0, true);
    timer_.restart();
    s_.brightness = 0;
    s_.state.subState = 1;
}

void MapScreen::select(int next) {
    if (next == selection_)
        return;
    GraphicsOps& g = s_.graphics;
    if (selection_ != kNone) {
        const DesignRect r = buttonRect(selection_);
        g.showPicture(kFirstButtonSprite + selection_, kChipSlot, buttonSource(selection_, false),
                      {r.x, r.y}, 62);
    }
    g.removeSprite(kPreviewSprite);
    g.removeSprite(kPointerSprite);
    s_.sound.stopCrowdVoice();
    selection_ = next;
    if (selection_ == kNone)
        return;
    const std::string& voice = cell(selection_).crowdVoice;
    if (s_.settings.voicePlay == 2 && !voice.empty())
        s_.sound.playCrowdVoice(voice);
    const MapPlace& p = place(selection_);
    g.showPicture(kPreviewSprite, kChipSlot,
                  {(selection_ % 3) * 224, (selection_ / 3) * 168, 224, 168},
                  {p.previewX, p.previewY}, 56);
    g.showPicture(kPointerSprite, kIconSlot, {392, 0, 56, 62}, {p.pointerX, p.pointerY}, 61);
    const DesignRect r = buttonRect(selection_);
    g.showPicture(kFirstButtonSprite + selection_, kChipSlot, buttonSource(selection_, true),
                  {r.x, r.y}, 62);
}

void MapScreen::interact() {
    InputState& in = s_.input;
    constexpr int kLast = ScreenTables::kPlaces - 1;
    int next = selection_;
    if (ScreenInput::take(in, kPressUp))
        next = next >= 1 && next <= kLast ? next - 1 : kLast;
    if (ScreenInput::take(in, kPressDown))
        next = next == kNone ? 0 : (next + 1) % ScreenTables::kPlaces;
    const bool tapped = ScreenInput::tapped(in);
    if (tapped) {
        next = kNone;
        const DesignPoint p = ScreenInput::stylus(in, s_.graphics);
        for (int i = 0; i <= kLast; ++i) {
            if (ScreenInput::inside(p, buttonRect(i)))
                next = i;
        }
    }
    select(next);
    if ((tapped || ScreenInput::decided(in)) && selection_ != kNone) {
        timer_.restart();
        s_.state.subState = 3;
    }
}

void MapScreen::leave() {
    GraphicsOps& g = s_.graphics;
    s_.sound.stopMusic();
    s_.brightness = 256;
    g.removeSprites(10, 19);
    g.removeSprites(30, 49);
    for (int slot = kMapSlot; slot <= kIconSlot; ++slot)
        g.freePicture(slot);
    s_.state.subState = 0;
    s_.state.mode = kModeScenario;
    s_.sound.stopCrowdVoice();
    const bool placed = selection_ >= 0 && selection_ < ScreenTables::kPlaces;
    const std::string script = placed ? cell(selection_).script : std::string();
    // A place without a scene has nothing to go on with: rather than run
    // on in an empty story, back to the title.
    if (script.empty()) {
        if (s_.report)
            s_.report("the map's schedule has no script for place " + std::to_string(selection_) +
                      " in row " + std::to_string(row_) + "; back to the title");
        story_.ReturnToTitle();
        return;
    }
    if (!story_.LoadScript(script)) {
        if (s_.report)
            s_.report("cannot go on from the map at \"" + script + "\": " + story_.loadError() +
                      "; back to the title");
        story_.ReturnToTitle();
    }
}

void MapScreen::runStep() {
    ScenarioState& st = s_.state;
    const uint32_t t = timer_.elapsed();
    switch (st.subState) {
        case 0:
            setUp();
            break;
        case 1:
            if (t < kFadeMs) {
                s_.brightness = static_cast<int32_t>(t * 256 / kFadeMs);
            } else {
                s_.brightness = 256;
                st.subState = 2;
            }
            break;
        case 2:
            interact();
            break;
        case 3:
            if (t < kFadeMs)
                s_.brightness = static_cast<int32_t>(256 - t * 256 / kFadeMs);
            else
                leave();
            break;
        default:
            st.subState = 0;
            break;
    }
}

}  // namespace marlit
