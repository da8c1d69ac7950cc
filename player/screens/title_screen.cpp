#include "player/screens/title_screen.h"

#include "player/screens/logo_screen.h"

namespace marlit {

namespace {

constexpr const char* kScroll = "AdvData\\grp\\system\\titlesc.rbp";
constexpr const char* kBack = "AdvData\\grp\\system\\titlebk.rbp";
constexpr const char* kTitle = "AdvData\\grp\\system\\title.rbp";
constexpr const char* kBack1 = "AdvData\\grp\\system\\titleb1.rbp";
constexpr const char* kBack2 = "AdvData\\grp\\system\\titleb2.rbp";
constexpr const char* kMenu = "AdvData\\grp\\system\\titlemn.rbp";

constexpr int kLayerPicture = 64;
constexpr int kLayerBack1 = 62;
constexpr int kLayerBack2 = 60;
constexpr int kLayerMenu = 56;
constexpr int kFirstItem = 15;  // sprites 15-21, cut from slot 15
constexpr int kItemX = 308;
constexpr int kItemWidth = 184;
constexpr int kItemHeight = 40;
constexpr int kMenuSlot = 15;

}  // namespace

int TitleScreen::itemCount() const {
    if (menu_ == 1)
        return 4;
    return completed_ ? 7 : 6;
}

int TitleScreen::rowOf(int item) const {
    if (menu_ == 1)
        return item == 3 ? 4 : item;
    return !completed_ && item == 5 ? 6 : item;
}

DesignRect TitleScreen::itemRect(int item) const {
    const int top = menu_ == 1 ? 284 : 244;
    return {kItemX, top + kItemHeight * item, kItemWidth, kItemHeight};
}

void TitleScreen::reportOnce(bool& said, const std::string& text) {
    if (said)
        return;
    said = true;
    if (s_.report)
        s_.report(text);
}

void TitleScreen::step() {
    runStep();
    Petals& petals = story_.petals;
    if (petals.kind() != 0 && s_.settings.petalsAllowed && s_.state.subState > 9)
        petals.update(s_.graphics.now());
}

void TitleScreen::runStep() {
    GraphicsOps& g = s_.graphics;
    ScenarioState& st = s_.state;
    const uint32_t t = timer_.elapsed();
    switch (st.subState) {
        case 0:
            if (hooks_.startOpeningMovie)
                hooks_.startOpeningMovie();
            st.subState = 1;
            return;
        case 1:
            selection_ = kNone;
            menu_ = 0;
            g.loadPicture(10, kScroll, false);
            g.loadPicture(11, kBack, false);
            g.showPicture(10, 10, {0, 0, 800, 1200}, {0, 0}, kLayerPicture);
            s_.sound.playMusic(kMusic, 0, true);
            timer_.restart();
            s_.brightness = 0;
            st.subState = 2;
            break;
        case 2:
            if (t <= 999) {
                s_.brightness = static_cast<int32_t>(t * 256 / 1000);
            } else {
                s_.brightness = 256;
                timer_.restart();
                st.subState = 3;
            }
            break;
        case 3:
            if (t >= 500) {
                timer_.restart();
                st.subState = 4;
            }
            break;
        case 4:
            if (t <= 1999) {
                g.moveSprite(10, 0, -static_cast<int>(t * 600 / 2000));
            } else {
                g.removeSprite(10);
                g.freePicture(10);
                g.showWholePicture(11, 11, {0, 0}, kLayerPicture);
                timer_.restart();
                st.subState = 5;
            }
            break;
        case 5:
            if (t >= 500) {
                g.loadPicture(12, kTitle, false);
                timer_.restart();
                st.subState = 6;
            }
            break;
        case 6:
            g.removeSprite(11);
            g.freePicture(11);
            g.showWholePicture(12, 12, {0, 0}, kLayerPicture);
            voices_.play(2);
            g.loadPicture(13, kBack1, false);
            g.loadPicture(14, kBack2, false);
            g.loadPicture(kMenuSlot, kMenu, true);
            timer_.restart();
            st.subState = 7;
            break;
        case 7:
            if (t >= 4000) {
                if (g.showWholePicture(13, 13, {0, 0}, kLayerBack1))
                    g.setSpriteAlpha(13, 0);
                timer_.restart();
                st.subState = 8;
            }
            break;
        case 8:
            if (t <= 499) {
                g.setSpriteAlpha(13, static_cast<int>(t * 256 / 500));
            } else {
                voices_.play(12 + s_.localTime.now().hour / 6);
                g.removeSprite(12);
                g.freePicture(12);
                g.setSpriteAlpha(13, 256);
                if (g.showWholePicture(14, 14, {0, 0}, kLayerBack2))
                    g.setSpriteAlpha(14, 0);
                timer_.restart();
                st.subState = 9;
            }
            break;
        case 9:
            if (t <= 499) {
                g.setSpriteAlpha(14, static_cast<int>(t * 256 / 500));
            } else {
                g.removeSprite(13);
                g.freePicture(13);
                g.setSpriteAlpha(14, 256);
                timer_.restart();
                st.subState = 10;
                story_.petals.record(1, 4);
                if (s_.settings.petalsAllowed)
                    story_.petals.start(g.now());
            }
            break;
        case 10:
            buildMenu();
            st.subState = 11;
            break;
        case 11:
            interact();
            break;
        case 20:
        case 25:
        case 40:
        case 41:
        case 42:
            if (t <= 1999) {
                s_.brightness = static_cast<int32_t>(256 - t * 256 / 2000);
                break;
            }
            s_.sound.stopMusic();
            s_.brightness = 256;
            clearScreenPictures(g);
            if (st.subState == 20 || st.subState == 25) {
                st.subState += 1;
            } else {
                story_.petals.stop();
                st.mode = st.subState == 40   ? kModeMusicRoom
                          : st.subState == 41 ? kModeGallery
                                              : kModeSceneGallery;
                st.subState = 0;
            }
            break;
        case 21:
            startStory(kNewGameScript);
            return;
        case 26:
            startStory(kEpilogueScript);
            return;
        case 30:
            if (!s_.input.stylusHeld) {
                if (hooks_.openMenu)
                    hooks_.openMenu();
                else
                    reportOnce(saidLoad_,
                               "the load item opens the pop-up menu, which this player has not "
                               "got yet; nothing can be loaded from the title");
                st.subState = 11;
            }
            return;
        case 90:
            g.loadPicture(14, kBack2, false);
            g.loadPicture(kMenuSlot, kMenu, true);
            g.showWholePicture(14, 14, {0, 0}, kLayerBack2);
            s_.sound.playMusic(kMusic, 0, true);
            timer_.restart();
            s_.brightness = 0;
            menu_ = 1;
            st.subState = 91;
            break;
        case 91:
            if (t <= 999) {
                s_.brightness = static_cast<int32_t>(t * 256 / 1000);
            } else {
                s_.brightness = 256;
                timer_.restart();
                st.subState = 10;
            }
            break;
        case 990:
            return;
        default:
            st.subState = 0;
            return;
    }
    g.redrawScreen();
}

void TitleScreen::buildMenu() {
    GraphicsOps& g = s_.graphics;
    g.removeSprites(kFirstItem, kFirstItem + 6);
    selection_ = kNone;
    completed_ = true;
    for (uint32_t i = 0; i < var::kRouteCount; ++i) {
        if (story_.vars.get(var::kRouteMarks + i) == 0)
            completed_ = false;
    }
    for (int i = 0; i < itemCount(); ++i) {
        const DesignRect at = itemRect(i);
        g.showPicture(kFirstItem + i, kMenuSlot,
                      {0, kItemHeight * rowOf(i) + 280 * menu_, kItemWidth, kItemHeight},
                      {at.x, at.y}, kLayerMenu);
    }
}

void TitleScreen::select(int item) {
    if (item == selection_)
        return;
    GraphicsOps& g = s_.graphics;
    auto look = [&](int i, int x) {
        g.showPicture(kFirstItem + i, kMenuSlot,
                      {x, kItemHeight * rowOf(i) + 280 * menu_, kItemWidth, kItemHeight},
                      {itemRect(i).x, itemRect(i).y}, kLayerMenu);
    };
    if (selection_ != kNone)
        look(selection_, 0);
    selection_ = item;
    if (selection_ != kNone)
        look(selection_, kItemWidth);
}

void TitleScreen::interact() {
    InputState& in = s_.input;
    const int count = itemCount();
    int next = selection_;
    if (ScreenInput::take(in, kPressUp))
        next = next >= 1 && next <= 99 ? next - 1 : count - 1;
    if (ScreenInput::take(in, kPressDown))
        next = next == kNone ? 0 : (next + 1) % count;
    const bool tapped = ScreenInput::tapped(in);
    if (tapped) {
        next = kNone;
        const DesignPoint p = ScreenInput::stylus(in, s_.graphics);
        for (int i = 0; i < count; ++i) {
            if (ScreenInput::inside(p, itemRect(i)))
                next = i;
        }
    }
    select(next);
    if ((tapped || ScreenInput::decided(in)) && selection_ != kNone)
        choose();
}

void TitleScreen::fadeToBlack(int next) {
    s_.state.subState = next;
    timer_.restart();
    s_.sound.fadeOutMusic(1000);
}

void TitleScreen::toExtras(int mode) {
    if (hooks_.modeAvailable && hooks_.modeAvailable(mode)) {
        fadeToBlack(mode == kModeMusicRoom ? 40 : mode == kModeGallery ? 41 : 42);
        return;
    }
    reportOnce(saidExtras_,
               "the galleries and the music room are not in this player yet; the extras "
               "items open nothing");
}

void TitleScreen::choose() {
    const int row = rowOf(selection_);
    if (menu_ == 1) {
        switch (row) {
            case 0:
                voices_.play(8);
                toExtras(kModeSceneGallery);
                break;
            case 1:
                voices_.play(6);
                toExtras(kModeGallery);
                break;
            case 2:
                voices_.play(7);
                toExtras(kModeMusicRoom);
                break;
            default:
                menu_ = 0;
                s_.state.subState = 10;
                break;
        }
        return;
    }
    switch (row) {
        case 0:
            voices_.play(3);
            fadeToBlack(20);
            break;
        case 1:
            voices_.play(4);
            s_.state.subState = 30;
            break;
        case 2:
            voices_.play(5);
            menu_ = 1;
            s_.state.subState = 10;
            break;
        case 3:
            voices_.play(9);
            break;
        case 4:
            voices_.play(10);
            break;
        case 5:
            voices_.play(11);
            fadeToBlack(25);
            break;
        default:
            s_.state.quitRequest = 1;
            s_.state.subState = 990;
            break;
    }
}

void TitleScreen::startStory(const char* script) {
    story_.petals.stop();
    s_.sound.stopMusic();
    clearScreenPictures(s_.graphics);
    s_.brightness = 256;
    story_.StartNewGame();
    s_.state.mode = kModeScenario;
    s_.state.subState = 0;
    if (!story_.LoadScript(script)) {
        if (s_.report)
            s_.report(std::string("cannot start the story at \"") + script +
                      "\": " + story_.loadError() + "; back to the title");
        story_.ReturnToTitle();
    }
    if (hooks_.enableSaveItems)
        hooks_.enableSaveItems(true);
    voices_.stop();
    s_.graphics.redrawScreen();
}

}  // namespace marlit
