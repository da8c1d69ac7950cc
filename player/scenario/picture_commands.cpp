// The picture commands: the background, the characters left and right and
// their overlays, and the manner setting that hides some backgrounds.
#include "base/sjis.h"
#include "player/core/mode_screen.h"
#include "player/scenario/command_handlers.h"
#include "player/scenario/scenario_engine.h"
#include "player/scenario/script_names.h"

namespace marlit {

namespace {

// Slots (picture = sprite) and layers of the scene.
constexpr int kBackground = 28;
constexpr int kBackgroundLayer = 32;
constexpr int kLeft = 24;
constexpr int kLeftOverlay = 26;
constexpr int kRight = 25;
constexpr int kRightOverlay = 27;
constexpr int kSpare = 29;
constexpr int kCharacterLayer = 28;
constexpr int kOverlayLayer = 26;
constexpr int kSideOffset = 200;

// Puts a picture into a slot and shows it whole at (x, 0).
void place(ScenarioEngine& e, int slot, std::string_view name, int x, int layer) {
    e.pictures.remove(slot);
    e.pictures.free(slot);
    if (e.pictures.load(slot, characterPicturePath(name)))
        e.pictures.showWhole(slot, slot, {x, 0}, layer);
}

void dropCharacter(ScenarioEngine& e, int character, int overlay) {
    e.pictures.remove(character);
    e.pictures.remove(overlay);
    e.pictures.free(character);
    e.pictures.free(overlay);
}

// Where a new character of a side appears: where its side's character
// stands, else off centre when the other side is shown, else in the middle.
int characterX(ScenarioEngine& e, int own, int other, int offset) {
    if (e.pictures.holds(own)) {
        if (auto at = e.pictures.position(own))
            return at->x;
        return 0;
    }
    return e.pictures.holds(other) ? offset : 0;
}

void moveIfShown(ScenarioEngine& e, int sprite, int x) {
    if (e.pictures.exists(sprite))
        e.pictures.move(sprite, x, 0);
}

}  // namespace

void ScenarioEngine::applyManner() {
    state.mannerHidden = 0;
    const int mode = services.settings.dispFreeMode;
    if (state.mode != kModeScenario || mode == 0 || !pictures.exists(kBackground))
        return;
    if (!services.tables.inMannerList(pictures.path(kBackground)))
        return;
    if (mode == 1)
        services.graphics.setSpriteAlpha(kBackground, 64);
    else if (mode == 2)
        services.graphics.setSpriteAlpha(kBackground, 0);
    else
        return;
    state.mannerHidden = 1;
}

StepResult background(ScenarioEngine& e, const Command& c) {
    e.state.position = c.next;
    if (isMapBackground(c.text))
        return StepResult::Continue;
    const std::string path = backgroundPicturePath(c.text);
    if (e.pictures.holds(kBackground) && sameText(e.pictures.path(kBackground), path))
        return StepResult::Continue;
    for (int slot : {kLeft, kLeftOverlay, kRight, kRightOverlay, kSpare, kBackground}) {
        e.pictures.remove(slot);
        e.pictures.free(slot);
    }
    e.state.pictureChanged = 1;
    if (e.pictures.load(kBackground, path))
        e.pictures.showWhole(kBackground, kBackground, {0, 0}, kBackgroundLayer);
    e.applyManner();
    e.state.backgroundX = 0;
    e.state.backgroundY = 0;
    if (e.services.settings.bgNameDisp != 0)
        e.caption.show(path, e.now());
    return StepResult::Continue;
}

StepResult leftCharacter(ScenarioEngine& e, const Command& c) {
    moveIfShown(e, kRight, kSideOffset);
    moveIfShown(e, kRightOverlay, kSideOffset);
    if (c.text.empty()) {
        e.state.position = c.next;
        return StepResult::Continue;
    }
    if (c.text == "-") {
        if (!e.pictures.exists(kLeft) && c.first) {
            e.state.position = c.next;
            return StepResult::Continue;
        }
        if (c.first)
            dropCharacter(e, kLeft, kLeftOverlay);
    } else if (c.first) {
        const int x = characterX(e, kLeft, kRight, -kSideOffset);
        place(e, kLeft, c.text, x, kCharacterLayer);
    }
    e.state.position = c.next;
    return e.opcodeAt(c.next) == uint8_t{'F'} ? StepResult::Continue : StepResult::Yield;
}

StepResult leftOverlay(ScenarioEngine& e, const Command& c) {
    e.state.position = c.next;
    if (c.text.empty())
        return StepResult::Continue;
    if (c.text == "-") {
        if (c.first) {
            e.pictures.remove(kLeftOverlay);
            e.pictures.free(kLeftOverlay);
        }
        return StepResult::Continue;
    }
    const int x = characterX(e, kLeft, kRight, -kSideOffset);
    place(e, kLeftOverlay, c.text, x, kOverlayLayer);
    return StepResult::Continue;
}

StepResult rightCharacter(ScenarioEngine& e, const Command& c) {
    moveIfShown(e, kLeft, -kSideOffset);
    moveIfShown(e, kLeftOverlay, -kSideOffset);
    if (c.text.empty()) {
        e.state.position = c.next;
        return StepResult::Continue;
    }
    bool overlay = false;
    if (c.text == "-") {
        if (!e.pictures.exists(kRight) && c.first) {
            e.state.position = c.next;
            return StepResult::Continue;
        }
        if (c.first)
            dropCharacter(e, kRight, kRightOverlay);
    } else {
        overlay = startsWith(c.text, "bsteff");
        if (c.first) {
            const int x = characterX(e, kRight, kLeft, kSideOffset);
            if (overlay)
                place(e, kRightOverlay, c.text, x, kOverlayLayer);
            else
                place(e, kRight, c.text, x, kCharacterLayer);
        }
    }
    e.state.position = c.next;
    return e.opcodeAt(c.next) == uint8_t{'3'} || overlay ? StepResult::Continue : StepResult::Yield;
}

}  // namespace marlit
