// The start of a new game, the way back to the title, and the snapshot a
// save is made from.
#include "player/core/mode_screen.h"
#include "player/scenario/message_window.h"
#include "player/scenario/scenario_engine.h"

namespace marlit {

void ScenarioEngine::StartNewGame() {
    state.mode = kModeScenario;
    state.subState = 0;
    state.stateWord3 = 0;
    state.sceneReplay = 0;
    state.position = 0;
    state.repeat = 0;
    state.choice.pending = 0;
    state.choice.count = 0;
    vars.clearStory();
    vars.set(var::kMonth, 2);
    vars.set(var::kDay, 23);
    vars.set(var::kWeekday, 6);
    state.windowShown = 0;
    if (window)
        window->build();
}

void ScenarioEngine::ReturnToTitle() {
    services.sound.stopAll();
    setWindowShown(false);
    if (window)
        window->free();
    services.brightness = 256;
    state.pageMarkShown = 0;
    caption.remove();
    petals.stop();
    shake.reset();
    pictures.clearAll();
    state.mode = kModeOpening;
    state.subState = 0;
    state.sceneReplay = 0;
    state.stateWord3 = 0;
    services.graphics.redrawScreen();
    state.windowShown = 0;
    state.scriptName.clear();
    script_.reset();
}

void ScenarioEngine::Snapshot() {
    ScenarioRecord r;
    r.taken = true;
    r.scriptName = state.scriptName;
    r.position = state.position;
    r.mode = state.mode;
    r.subState = state.subState;
    r.stateWord3 = state.stateWord3;
    r.repeat = state.repeat;
    r.pageMarkShown = state.pageMarkShown;
    r.condition = state.condition;
    r.message = state.message;
    r.dayEndSelector = state.dayEndSelector;
    r.choice = state.choice;
    r.backgroundX = state.backgroundX;
    r.backgroundY = state.backgroundY;
    r.scrollTargetX = state.scrollTargetX;
    r.scrollTargetY = state.scrollTargetY;
    r.brightness = services.brightness;
    r.windowShown = state.windowShown;
    r.petalKind = petals.kind();
    r.petalPeriod = petals.period();
    r.music = services.sound.musicName();
    r.loopingEffect = services.sound.loopingEffect();
    r.voice = voiceName;
    if (window && window->built())
        r.page = window->savedPage();
    r.storyVars.assign(vars.all().begin(), vars.all().begin() + ScenarioVars::kStoryCount);
    for (int slot = 0; slot < PictureSlots::kCount; ++slot) {
        if (pictures.holds(slot))
            r.pictures.push_back({slot, std::string(pictures.path(slot))});
    }
    Compositor& compositor = services.graphics.compositor();
    for (int id = 0; id < Compositor::kSpriteSlots; ++id) {
        const Sprite* s = compositor.sprite(id);
        if (!s)
            continue;
        const DesignPoint at = pictures.position(id).value_or(DesignPoint{});
        RecordedSprite& k = r.sprites.emplace_back();
        k.id = id;
        k.picture = s->command.picture;
        k.x = at.x;
        k.y = at.y;
        k.layer = s->layer;
        k.alpha = s->command.opacity;
        k.visible = s->visible;
        k.command = s->command;
        k.command.next = nullptr;
        k.screenX = s->x;
        k.screenY = s->y;
        k.pivotX = s->pivotX;
        k.pivotY = s->pivotY;
        k.scaleX = s->scaleX;
        k.scaleY = s->scaleY;
        k.angle = s->angle;
        k.width = s->width;
        k.height = s->height;
        k.finished = s->finished;
        k.frames = s->frames;
        k.frame = s->frame;
        k.frameOffsetX = s->frameOffsetX;
        k.frameOffsetY = s->frameOffsetY;
    }
    record = std::move(r);
}

}  // namespace marlit
