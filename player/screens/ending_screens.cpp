#include "player/screens/ending_screens.h"

#include <algorithm>
#include <string>

#include "player/scenario/message_window.h"

namespace marlit {

namespace {

constexpr int kFullSlot = 10;
constexpr int kPanelSlot = 11;
constexpr int kFullLayer = 32;
constexpr int kPanelLayer = 30;
constexpr uint32_t kFadeMs = 2000;
constexpr uint32_t kLastBlackMs = 3000;

bool cutShortAsked(InputState& in) {
    return ScreenInput::tapped(in) || ScreenInput::decided(in);
}

// The scene's window off and its pictures freed, every sprite and picture
// of the story gone.
void clearForEnding(ScenarioEngine& story) {
    story.setWindowShown(false);
    if (story.window)
        story.window->free();
    story.pictures.clearAll();
}

}  // namespace

// --- the ending sequence ---

void EndingScreen::saveItems(bool on) {
    if (hooks_.enableSaveItems)
        hooks_.enableSaveItems(on);
}

const std::vector<EndingRecord>& EndingScreen::records() const {
    return tables_.endings[static_cast<size_t>(route_)];
}

void EndingScreen::show(const EndingRecord& record) {
    GraphicsOps& g = s_.graphics;
    if (!record.full.empty()) {
        g.freePicture(kFullSlot);
        g.loadPicture(kFullSlot, record.full, false);
        g.showPicture(10, kFullSlot, {0, 0, 800, 600}, {0, 0}, kFullLayer);
    }
    if (!record.panel.empty()) {
        g.freePicture(kPanelSlot);
        g.loadPicture(kPanelSlot, record.panel, false);
        g.showPicture(11, kPanelSlot, {0, 0, 400, 600}, {400, 0}, kPanelLayer);
    }
}

void EndingScreen::start() {
    saveItems(false);
    clearForEnding(story_);
    s_.brightness = 0;
    s_.sound.stopMusic();
    next_ = 0;
    if (!records().empty() && !records()[0].ends()) {
        show(records()[0]);
        next_ = 1;
    }
    timer_.restart();
    music_.start(kMusic);
    s_.state.subState = 1;
}

void EndingScreen::goOn() {
    ScenarioState& st = s_.state;
    saveItems(true);
    st.subState = 0;
    const std::string script = tables_.followUps[static_cast<size_t>(route_)];
    if (script.empty()) {
        st.mode = kModeStaffRoll;
        return;
    }
    if (story_.window)
        story_.window->build();
    st.mode = kModeScenario;
    if (!story_.LoadScript(script)) {
        if (s_.report)
            s_.report("cannot go on after the ending of route " + std::to_string(route_) +
                      " at \"" + script + "\": " + story_.loadError() + "; back to the title");
        story_.ReturnToTitle();
    }
}

void EndingScreen::cutShort() {
    s_.brightness = 256;
    s_.sound.stopMusic();
    story_.pictures.clearAll();
    s_.graphics.redrawScreen();
    goOn();
}

void EndingScreen::step() {
    ScenarioState& st = s_.state;
    route_ = st.ending;
    // The story sets the route; one outside the tables has no ending.
    if (route_ < 0 || route_ >= ScreenTables::kRoutes) {
        if (s_.report)
            s_.report("the ending of route " + std::to_string(route_) +
                      " is not in the tables (routes 0 to 13); back to the title");
        st.subState = 0;
        story_.ReturnToTitle();
        return;
    }
    if (cutShortAsked(s_.input)) {
        cutShort();
        return;
    }
    runStep();
    s_.graphics.redrawScreen();
}

void EndingScreen::runStep() {
    ScenarioState& st = s_.state;
    const uint32_t t = timer_.elapsed();
    switch (st.subState) {
        case 0:
            start();
            break;
        case 1:
            if (t < kFadeMs) {
                s_.brightness = static_cast<int32_t>(t * 256 / kFadeMs);
            } else {
                s_.brightness = 256;
                timer_.restart();
                st.subState = 2;
            }
            break;
        case 2: {
            const auto& list = records();
            // Past the last record the sequence has ended too.
            const bool ended = next_ >= static_cast<int>(list.size());
            if (!ended && music_.position() < static_cast<uint32_t>(list[next_].time))
                break;
            if (ended || list[next_].ends()) {
                timer_.restart();
                st.subState = 3;
                break;
            }
            show(list[next_]);
            ++next_;
            break;
        }
        case 3:
            if (t < kFadeMs) {
                s_.brightness = static_cast<int32_t>(256 - t * 256 / kFadeMs);
            } else {
                GraphicsOps& g = s_.graphics;
                g.removeSprite(10);
                g.removeSprite(11);
                g.freePicture(kFullSlot);
                g.freePicture(kPanelSlot);
                s_.brightness = 256;
                s_.sound.stopMusic();
                st.subState = 4;
            }
            break;
        case 4:
            goOn();
            break;
        default:
            st.subState = 0;
            break;
    }
}

// --- the staff roll ---

namespace {

// Odd pictures in slot and sprite 10, even ones in 11.
int slotOf(int picture) {
    return picture % 2 == 1 ? 10 : 11;
}

std::string rollPicture(int picture) {
    std::string name = "AdvData\\grp\\STAFF\\staff2_";
    if (picture < 10)
        name += '0';
    return name + std::to_string(picture) + ".rbp";
}

}  // namespace

void StaffRollScreen::enter(int picture) {
    GraphicsOps& g = s_.graphics;
    const int slot = slotOf(picture);
    g.freePicture(slot);
    g.loadPicture(slot, rollPicture(picture), false);
    const int height = picture == kPictures ? 600 : 1200;
    g.showPicture(slot, slot, {0, 0, 800, height}, {0, 600}, 32);
}

void StaffRollScreen::start() {
    if (hooks_.enableSaveItems)
        hooks_.enableSaveItems(false);
    clearForEnding(story_);
    s_.brightness = 256;
    s_.sound.stopMusic();
    enter(1);
    timer_.restart();
    music_.start(kMusic);
    s_.state.subState = 1;
}

void StaffRollScreen::finish() {
    s_.graphics.redrawScreen();
    if (hooks_.enableSaveItems)
        hooks_.enableSaveItems(false);
    s_.brightness = 256;
    s_.sound.stopMusic();
    story_.pictures.clearAll();
    if (hooks_.saveSystemRecord)
        hooks_.saveSystemRecord();
    story_.ReturnToTitle();
}

// Segment s = step - 1: the picture that came in last rises from the
// bottom while the one before it leaves at the top.
void StaffRollScreen::scroll(uint32_t m) {
    GraphicsOps& g = s_.graphics;
    ScenarioState& st = s_.state;
    const int s = st.subState - 1;
    const uint32_t from = kSegmentMs * static_cast<uint32_t>(s);
    const int o = static_cast<int>(std::min<uint32_t>(m - std::min(m, from), kSegmentMs) *
                                   kSegmentRise / kSegmentMs);
    const int entering = s + 1;  // picture numbers from 1
    const int leaving = s;
    g.moveSprite(slotOf(entering), 0, 600 - o);
    if (leaving >= 1)
        g.moveSprite(slotOf(leaving), 0, -o - 600);
    if (m < from + kSegmentMs)
        return;
    if (leaving >= 1) {
        g.removeSprite(slotOf(leaving));
        g.freePicture(slotOf(leaving));
    }
    if (entering == kPictures) {
        g.removeSprites(10, 11);
        g.freePicture(10);
        g.freePicture(11);
        timer_.restart();
        st.subState = kPictures + 1;
        return;
    }
    g.moveSprite(slotOf(entering), 0, -600);
    enter(entering + 1);
    ++st.subState;
}

void StaffRollScreen::step() {
    if (cutShortAsked(s_.input)) {
        finish();
        return;
    }
    runStep();
    s_.graphics.redrawScreen();
}

void StaffRollScreen::runStep() {
    ScenarioState& st = s_.state;
    if (st.subState == 0) {
        start();
    } else if (st.subState >= 1 && st.subState <= kPictures) {
        scroll(music_.position());
    } else if (st.subState == kPictures + 1) {
        if (timer_.elapsed() >= kLastBlackMs)
            finish();
    } else {
        st.subState = 0;
    }
}

}  // namespace marlit
