#include "player/screens/scene_gallery_screen.h"

#include <algorithm>

#include "base/format.h"

namespace marlit {

namespace {

constexpr const char* kBackground = "AdvData\\GRP\\system\\sc.rbp";
constexpr const char* kParts = "AdvData\\GRP\\system\\scparts.rbp";
constexpr int kFirstTabSprite = 21;
constexpr int kTabs = 14;
constexpr int kReturnFromReplay = kSceneReplayReturn;
constexpr DesignRect kNotSeenBar = {121, 289, 254, 30};

using Button = ExtrasScreen::Button;
constexpr Button kButtons[5] = {
    {11, {1, 427, 46, 32}, {193, 427}, {425, 456}, {424, 456, 48, 32}},
    {12, {49, 427, 46, 32}, {241, 427}, {473, 456}, {472, 456, 40, 32}},
    {13, {97, 427, 46, 32}, {289, 427}, {521, 456}, {520, 456, 40, 32}},
    {14, {145, 427, 46, 32}, {337, 427}, {561, 456}, {560, 456, 48, 32}},
    {15, {3, 460, 118, 32}, {123, 460}, {597, 520}, {596, 520, 120, 32}},
};

DesignPoint tabAt(int t) {
    if (t < 4)
        return {41 + 128 * t, 136};
    const int u = t - 4;
    return {41 + 128 * (u % 5), 176 + 40 * (u / 5)};
}

DesignPoint barAt(int i) {
    return {105 + 344 * (i / 4), 281 + 40 * (i % 4)};
}

DesignPoint badgeAt(int i) {
    return {41 + 344 * (i / 4), 281 + 40 * (i % 4)};
}

DesignRect bigDigit(int d) {
    return {d * 16 + 523, 460, 14, 32};
}

DesignRect smallDigit(int d) {
    return {d * 16 + 363, 460, 14, 24};
}

}  // namespace

int SceneGalleryScreen::pageAfter(int button, int page, int pages) {
    const int last = pages - 1;
    switch (button) {
        case kFivePagesBack:
            return page == 0 ? last : std::max(page - 5, 0);
        case kPreviousPage:
            return page == 0 ? last : page - 1;
        case kNextPage:
            return page >= last ? 0 : page + 1;
        case kFivePagesOn:
            return page >= last ? 0 : std::min(page + 5, last);
        default:
            return page;
    }
}

DesignRect SceneGalleryScreen::badgeSource(int date) {
    int month = date / 100;
    int day = date % 100;
    if (date == 0) {
        month = 7;
        day = 1;
    }
    return {month * 56 + 609, day * 24 - 23, 54, 22};
}

DesignRect SceneGalleryScreen::hitRect(int item) const {
    if (item < kFirstTab)
        return kButtons[item].hit;
    if (item < kFirstPlace) {
        const DesignPoint at = tabAt(item - kFirstTab);
        return {at.x - 1, at.y, 120, 32};
    }
    const DesignPoint at = barAt(item - kFirstPlace);
    return {at.x - 1, at.y - 1, 256, 32};
}

void SceneGalleryScreen::look(int item, bool lit) {
    GraphicsOps& g = s_.graphics;
    if (item < 0)
        return;
    if (item < kFirstTab) {
        showButton(kButtons[item], lit);
        return;
    }
    if (item < kFirstPlace) {
        const int t = item - kFirstTab;
        showTab(kFirstTabSprite + t, t, tabAt(t), t == character_, lit);
        return;
    }
    const int i = item - kFirstPlace;
    const int bar = kFirstBarSprite + 2 * i;
    switch (places_[static_cast<size_t>(i)]) {
        case Place::Seen:
            g.showPicture(bar, kSheetSlot, {1, 32 * i + 1 + (lit ? 256 : 0), 254, 30}, barAt(i),
                          kPartsLayer);
            break;
        case Place::NotSeen:
            g.showPicture(bar, kPartsSlot, kNotSeenBar, barAt(i), kPartsLayer);
            break;
        case Place::Empty:
            break;
    }
}

void SceneGalleryScreen::buildPage() {
    GraphicsOps& g = s_.graphics;
    const ExtrasTables& t = tables_.tables();
    g.removeSprites(11, 20);
    g.removeSprites(21, 34);
    g.removeSprites(kFirstBarSprite, kFirstBarSprite + 15);
    g.freePicture(kSheetSlot);
    const std::string& name = t.name(character_);
    if (!name.empty()) {
        g.loadPicture(kSheetSlot,
                      "AdvData\\GRP\\system\\" + name + formatText("_%z2.rbp", {page_ + 1}), true);
    }
    for (int item = kFivePagesBack; item <= kBack; ++item)
        look(item, false);
    // The page number and the page count; a tens digit only where there is
    // one.
    const int shown = page_ + 1;
    const int pages = t.scenePages(character_);
    if (shown > 9)
        g.showPicture(16, kPartsSlot, bigDigit(shown / 10 % 10), {624, 456}, kPartsLayer);
    g.showPicture(17, kPartsSlot, bigDigit(shown % 10), {640, 456}, kPartsLayer);
    g.showPicture(18, kPartsSlot, {683, 460, 14, 32}, {656, 456}, kPartsLayer);
    if (pages > 9)
        g.showPicture(19, kPartsSlot, smallDigit(pages / 10 % 10), {673, 464}, kPartsLayer);
    g.showPicture(20, kPartsSlot, smallDigit(pages % 10), {688, 464}, kPartsLayer);
    for (int tab = 0; tab < kTabs; ++tab)
        look(kFirstTab + tab, false);

    for (int i = 0; i < ExtrasTables::kScenesPerPage; ++i) {
        const SceneRecord& r = t.scene(character_, page_, i);
        auto& state = places_[static_cast<size_t>(i)];
        scripts_[static_cast<size_t>(i)] = r.script;
        if (r.date < 0) {
            state = Place::Empty;
            continue;
        }
        // A record without a script has nothing to replay: locked.
        const bool seen = !r.script.empty() && story_.seen.seen(r.script);
        state = seen ? Place::Seen : Place::NotSeen;
        look(kFirstPlace + i, false);
        if (seen) {
            g.showPicture(kFirstBarSprite + 2 * i + 1, kPartsSlot, badgeSource(r.date), badgeAt(i),
                          kPartsLayer);
        }
    }
}

void SceneGalleryScreen::buildScreen() {
    coverWithScreen();
    showBackdrop(kBackground, kParts);
    buildPage();
    s_.sound.playMusic(kMusic, 0, true);
    timer_.restart();
}

void SceneGalleryScreen::act() {
    const int pages = tables_.tables().scenePages(character_);
    if (cursor_ <= kFivePagesOn) {
        page_ = pageAfter(cursor_, page_, pages);
        buildPage();
        look(cursor_, true);
        return;
    }
    if (cursor_ == kBack) {
        timer_.restart();
        s_.sound.fadeOutMusic(1000);
        s_.state.subState = 10;
        return;
    }
    if (cursor_ < kFirstPlace) {
        const int tab = cursor_ - kFirstTab;
        if (tab != character_) {
            character_ = tab;
            page_ = 0;
            buildPage();
        }
        return;
    }
    const int i = cursor_ - kFirstPlace;
    if (places_[static_cast<size_t>(i)] == Place::Seen) {
        chosenPlace_ = i;
        timer_.restart();
        s_.sound.fadeOutMusic(1000);
        s_.state.subState = 20;
    }
}

void SceneGalleryScreen::replay() {
    const std::string script = scripts_[static_cast<size_t>(chosenPlace_)];
    story_.StartNewGame();
    s_.state.mode = kModeScenario;
    s_.state.subState = 0;
    if (hooks_.enableSaveItems)
        hooks_.enableSaveItems(false);
    if (!story_.LoadScript(script)) {
        if (s_.report)
            s_.report("cannot replay the scene \"" + script + "\": " + story_.loadError() +
                      "; back to the scene gallery");
        s_.state.mode = kModeSceneGallery;
        s_.state.subState = kReturnFromReplay;
    }
    s_.state.sceneReplay = 1;
}

void SceneGalleryScreen::runStep() {
    ScenarioState& st = s_.state;
    switch (st.subState) {
        case 0:
            tables_.reload();
            cursor_ = kNone;
            character_ = 0;
            page_ = 0;
            resetScreen();
            buildScreen();
            st.subState = 1;
            break;
        case 1:
            if (reveal())
                st.subState = 2;
            break;
        case 2: {
            const bool chosen = moveCursor(
                kItems,
                [this](int item) {
                    return item >= kFirstPlace &&
                           places_[static_cast<size_t>(item - kFirstPlace)] != Place::Seen;
                },
                [this](int item, DesignRect& r) {
                    if (item >= kFirstPlace &&
                        places_[static_cast<size_t>(item - kFirstPlace)] != Place::Seen)
                        return false;
                    r = hitRect(item);
                    return true;
                },
                [this](int item, bool lit) { look(item, lit); });
            if (chosen)
                act();
            break;
        }
        case 10:
        case 20:
            if (fadeAway())
                st.subState += 1;
            break;
        case 11:
            backToTitle();
            break;
        case 21:
            replay();
            break;
        case kReturnFromReplay:
            // The story engine's clean-up, then the gallery as it was left.
            story_.ReturnToTitle();
            if (hooks_.enableSaveItems)
                hooks_.enableSaveItems(false);
            tables_.reload();
            buildScreen();
            st.mode = kModeSceneGallery;
            st.subState = 1;
            cursor_ = kNone;
            st.sceneReplay = 0;
            break;
        default:
            st.subState = 0;
            break;
    }
}

}  // namespace marlit
