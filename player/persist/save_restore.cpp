// From the engine's snapshot to a save record, and from a record back to
// the scene.
#include "player/core/mode_screen.h"
#include "player/persist/save_slots.h"
#include "player/scenario/message_window.h"
#include "player/scenario/scenario_engine.h"

namespace marlit {

namespace {

constexpr int kColourKeyedSlot = 26;

SpriteImage spriteImage(const RecordedSprite& k) {
    SpriteImage s;
    s.present = true;
    s.sprite = k;
    return s;
}

void putSprite(ScenarioEngine& e, const RecordedSprite& image) {
    GraphicsOps& g = e.services.graphics;
    Sprite* s = g.compositor().create(image.id, g.dirtyMarker());
    if (!s)
        return;
    s->command = image.command;
    s->command.next = nullptr;
    s->visible = image.visible;
    s->finished = false;
    s->x = image.screenX;
    s->y = image.screenY;
    s->pivotX = image.pivotX;
    s->pivotY = image.pivotY;
    s->scaleX = image.scaleX;
    s->scaleY = image.scaleY;
    s->angle = image.angle;
    s->width = image.width;
    s->height = image.height;
    s->layer = image.layer;
    s->frames = image.frames;
    const bool frameOk = image.frame >= 0 && static_cast<size_t>(image.frame) < image.frames.size();
    s->frame = frameOk ? image.frame : 0;
    s->frameEnd = 0;  // the animation goes on from its frame at once
    s->frameOffsetX = image.frameOffsetX;
    s->frameOffsetY = image.frameOffsetY;
    placeCommand(*s);
    s->recordMove();
    e.pictures.remember(image.id, {image.x, image.y});
}

}  // namespace

SaveRecord saveRecordFrom(const ScenarioRecord& k) {
    SaveRecord r;
    r.petalPeriod = k.petalPeriod;
    r.dayEndSelector = k.dayEndSelector;
    r.label = k.scriptName;
    r.music = k.music;
    for (const RecordedPicture& p : k.pictures) {
        const int i = p.slot - kFirstSavedSprite;
        if (i >= 0 && i < kSavedSprites)
            r.pictures[static_cast<size_t>(i)] = p.path;
    }
    r.loopingEffect = k.loopingEffect;
    r.mode = k.mode;
    r.subState = k.subState;
    r.stateWord3 = k.stateWord3;
    r.message = k.message;
    r.position = static_cast<int32_t>(k.position);
    r.repeat = k.repeat;
    r.pageMarkShown = k.pageMarkShown;
    r.windowShown = k.windowShown;
    r.backgroundX = k.backgroundX;
    r.backgroundY = k.backgroundY;
    r.scrollTargetX = k.scrollTargetX;
    r.scrollTargetY = k.scrollTargetY;
    r.petalKind = k.petalKind;
    r.brightness = k.brightness;
    r.storyVars = k.storyVars;
    r.storyVars.resize(ScenarioVars::kStoryCount);
    r.choice = k.choice;
    r.window.exists = true;
    r.window.shown = k.windowShown != 0;
    r.window.message = k.message;
    r.window.voice = k.voice;
    if (k.page) {
        r.window.stateLayout = kPageLayout;
        r.window.windowState = encodeMessagePage(*k.page);
    }
    for (const RecordedSprite& s : k.sprites) {
        const int i = s.id - kFirstSavedSprite;
        if (i >= 0 && i < kSavedSprites && !s.finished)
            r.sprites[static_cast<size_t>(i)] = spriteImage(s);
    }
    return r;
}

void restoreScene(ScenarioEngine& e, const SaveRecord& r) {
    ScenarioState& st = e.state;
    // Everything that plays stops, and the scene is cleared.
    e.services.sound.stopAll();
    e.petals.stop();
    e.caption.remove();
    e.setWindowShown(false);
    e.pictures.clearAll();
    // The window is made again from its picture; its page comes back below.
    if (e.window) {
        e.window->free();
        e.window->build();
    }

    // A loaded game is no scene replay.
    st.sceneReplay = 0;
    st.mode = r.mode;
    st.subState = r.subState;
    st.stateWord3 = r.stateWord3;
    st.message = r.message;
    st.pageMarkShown = r.pageMarkShown;
    st.dayEndSelector = static_cast<uint16_t>(r.dayEndSelector);
    st.backgroundX = r.backgroundX;
    st.backgroundY = r.backgroundY;
    st.scrollTargetX = r.scrollTargetX;
    st.scrollTargetY = r.scrollTargetY;
    st.choice = r.choice;
    for (uint32_t i = 0; i < ScenarioVars::kStoryCount && i < r.storyVars.size(); ++i)
        e.vars.set(i, r.storyVars[i]);
    e.voiceName = r.window.voice;

    if (st.mode == kModeScenario) {
        // Loading the script resets the position; the record's goes back.
        e.LoadScript(r.label);
        st.position = static_cast<uint32_t>(r.position);
        st.repeat = r.repeat;
        for (int i = 0; i < kSavedSprites; ++i) {
            const std::string& path = r.pictures[static_cast<size_t>(i)];
            const int slot = kFirstSavedSprite + i;
            if (!path.empty())
                e.pictures.load(slot, path, slot == kColourKeyedSlot);
        }
    } else {
        st.position = static_cast<uint32_t>(r.position);
        st.repeat = r.repeat;
    }
    for (const SpriteImage& s : r.sprites) {
        if (s.present && Compositor::validSprite(s.sprite.id))
            putSprite(e, s.sprite);
    }
    if (st.mode == kModeScenario)
        e.applyManner();
    e.services.brightness = r.brightness;
    if (r.window.shown || r.windowShown)
        e.setWindowShown(true);
    // The page as it stood; a page of another layout (a newer program's)
    // or one that does not read is left empty.
    if (e.window) {
        if (r.window.stateLayout == kPageLayout) {
            if (auto page = decodeMessagePage(r.window.windowState))
                e.window->restorePage(*page);
        }
        e.window->showPageMark(r.pageMarkShown != 0);
    }

    e.services.graphics.redrawScreen();
    if (!r.music.empty())
        e.services.sound.restoreMusic(r.music);
    if (!r.loopingEffect.empty())
        e.services.sound.restoreLoopingEffect(r.loopingEffect);

    e.petals.record(r.petalKind, r.petalPeriod);
    if (r.petalKind != 0 && e.services.settings.petalsAllowed)
        e.petals.start(e.now());
    e.shake.reset();
    // The snapshot is the record itself until the next message takes one.
    e.Snapshot();
}

}  // namespace marlit
