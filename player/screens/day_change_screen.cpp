#include "player/screens/day_change_screen.h"

namespace marlit {

namespace {

constexpr const char* kBack = "AdvData\\grp\\system\\TimerBack.rbp";
constexpr const char* kChips = "AdvData\\grp\\system\\timerchip.rbp";
constexpr int kChoiceX = 560;
constexpr int kChoiceTop = 392;
constexpr int kChoiceWidth = 216;
constexpr int kChoiceHeight = 32;

struct ChoicePicture {
    DesignRect source;
    DesignPoint at;
};
constexpr ChoicePicture kPictures[3] = {
    {{474, 66, 262, 190}, {394, 202}},
    {{280, 280, 248, 264}, {502, 192}},
    {{0, 280, 280, 184}, {280, 320}},
};

DesignRect choiceRect(int i) {
    return {kChoiceX, kChoiceTop + 40 * i, kChoiceWidth, kChoiceHeight};
}

}  // namespace

void DayChangeScreen::step() {
    runStep();
    s_.graphics.redrawScreen();
}

void DayChangeScreen::select(int choice) {
    if (choice == selection_)
        return;
    GraphicsOps& g = s_.graphics;
    if (selection_ != kNone) {
        const DesignRect r = choiceRect(selection_);
        g.showPicture(12 + selection_, 11,
                      {kChoiceWidth * selection_, 0, kChoiceWidth, kChoiceHeight}, {r.x, r.y}, 60);
    }
    g.removeSprite(15);
    selection_ = choice;
    if (selection_ == kNone)
        return;
    const DesignRect r = choiceRect(selection_);
    g.showPicture(12 + selection_, 11,
                  {kChoiceWidth * selection_, kChoiceHeight, kChoiceWidth, kChoiceHeight},
                  {r.x, r.y}, 60);
    const ChoicePicture& p = kPictures[selection_];
    g.showPicture(15, 11, p.source, p.at, 58);
}

void DayChangeScreen::leave() {
    GraphicsOps& g = s_.graphics;
    s_.sound.stopMusic();
    s_.brightness = 256;
    g.removeSprites(10, 15);
    g.freePicture(10);
    g.freePicture(11);
    s_.state.subState = 0;
    s_.state.mode = kModeScenario;
    const int day = story_.vars.get(var::kDay);
    const std::string script = tables_.dayScript(day);
    // A day without a script of its own has nothing to go on with: rather
    // than run on in an empty story, back to the title.
    if (script.empty()) {
        if (s_.report)
            s_.report("the day change has no script for day " + std::to_string(day) +
                      " of the story; back to the title");
        story_.ReturnToTitle();
        return;
    }
    if (!story_.LoadScript(script)) {
        if (s_.report)
            s_.report("cannot go on after the day change at \"" + script +
                      "\": " + story_.loadError() + "; back to the title");
        story_.ReturnToTitle();
    }
}

void DayChangeScreen::runStep() {
    GraphicsOps& g = s_.graphics;
    ScenarioState& st = s_.state;
    const uint32_t t = timer_.elapsed();
    switch (st.subState) {
        case 0:
            s_.sound.stopMusic();
            story_.setWindowShown(false);
            g.removeSprites(24, 29);
            for (int slot = 24; slot <= 29; ++slot)
                g.freePicture(slot);
            story_.vars.set(var::kDayChoice, 0);
            g.loadPicture(10, kBack, false);
            g.loadPicture(11, kChips, true);
            g.showWholePicture(10, 10, {0, 0}, 64);
            g.showPicture(11, 11, {0, 64, 472, 216}, {328, 304}, 62);
            for (int i = 0; i < 3; ++i) {
                const DesignRect r = choiceRect(i);
                g.showPicture(12 + i, 11, {kChoiceWidth * i, 0, kChoiceWidth, kChoiceHeight},
                              {r.x, r.y}, 60);
            }
            s_.sound.playMusic(kMusic, 0, true);
            selection_ = kNone;
            timer_.restart();
            s_.brightness = 0;
            st.subState = 1;
            break;
        case 1:
            if (t < 1000) {
                s_.brightness = static_cast<int32_t>(t * 256 / 1000);
            } else {
                s_.brightness = 256;
                st.subState = 2;
            }
            break;
        case 2: {
            InputState& in = s_.input;
            int next = selection_;
            if (ScreenInput::take(in, kPressUp))
                next = next >= 1 && next <= 2 ? next - 1 : 2;
            if (ScreenInput::take(in, kPressDown))
                next = next == kNone ? 0 : (next + 1) % 3;
            const bool tapped = ScreenInput::tapped(in);
            if (tapped) {
                next = kNone;
                const DesignPoint p = ScreenInput::stylus(in, g);
                for (int i = 0; i < 3; ++i) {
                    if (ScreenInput::inside(p, choiceRect(i)))
                        next = i;
                }
            }
            select(next);
            if ((tapped || ScreenInput::decided(in)) && selection_ != kNone) {
                story_.vars.set(var::kDayChoice, selection_);
                timer_.restart();
                st.subState = 3;
            }
            break;
        }
        case 3:
            if (t < 1000)
                s_.brightness = static_cast<int32_t>(256 - t * 256 / 1000);
            else
                leave();
            break;
        default:
            st.subState = 0;
            break;
    }
}

}  // namespace marlit
