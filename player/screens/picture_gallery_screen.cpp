#include "player/screens/picture_gallery_screen.h"

namespace marlit {

namespace {

constexpr const char* kBackground = "AdvData\\GRP\\system\\cg.rbp";
constexpr const char* kParts = "AdvData\\GRP\\system\\cgparts.rbp";
constexpr const char* kPictureFolder = "AdvData\\GRP\\BG\\";
constexpr int kFirstTabSprite = 18;
constexpr int kPictureLayer = 16;
constexpr int kTabs = 14;

using Button = ExtrasScreen::Button;
constexpr Button kButtons[3] = {
    {11, {49, 427, 46, 32}, {241, 427}, {561, 456}, {560, 456, 40, 32}},
    {12, {97, 427, 46, 32}, {289, 427}, {609, 456}, {608, 456, 40, 32}},
    {13, {3, 460, 118, 32}, {123, 460}, {641, 512}, {640, 512, 120, 32}},
};

DesignPoint tabAt(int t) {
    if (t < 7)
        return {40, 168 + 48 * t};
    return {176, 184 + 48 * (t - 7)};
}

DesignPoint placeAt(int p) {
    return {400 + 104 * (p % 3), 184 + 80 * (p / 3)};
}

DesignRect thumbnailSource(int n, bool lit) {
    return {(n % 8) * 96 + 2, (n / 8) * 72 + 2 + (lit ? 288 : 0), 94, 70};
}

constexpr DesignRect kLocked = {674, 218, 94, 70};

}  // namespace

bool PictureGalleryScreen::unlocked(int place) const {
    return place >= 0 && place < placesInUse_ && unlocked_[static_cast<size_t>(place)];
}

const std::vector<std::string>& PictureGalleryScreen::placePictures(int place) const {
    static const std::vector<std::string> none;
    if (place < 0 || place >= placesInUse_)
        return none;
    return lists_[static_cast<size_t>(place)];
}

DesignRect PictureGalleryScreen::hitRect(int item) const {
    if (item < kFirstTab)
        return kButtons[item].hit;
    if (item < kFirstPlace) {
        const DesignPoint at = tabAt(item - kFirstTab);
        return {at.x, at.y, 200, 32};
    }
    const DesignPoint at = placeAt(item - kFirstPlace);
    return {at.x, at.y, 96, 72};
}

void PictureGalleryScreen::look(int item, bool lit) {
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
    const int p = item - kFirstPlace;
    if (p >= placesInUse_)
        return;
    const DesignRect source = unlocked_[static_cast<size_t>(p)]
                                  ? thumbnailSource(page_ * ExtrasTables::kPlacesPerPage + p, lit)
                                  : kLocked;
    g.showPicture(kPlaceSprite + p, kSheetSlot, source, placeAt(p), kPartsLayer);
}

void PictureGalleryScreen::buildPage() {
    GraphicsOps& g = s_.graphics;
    const ExtrasTables& t = tables_.tables();
    g.removeSprites(11, 16);
    g.removeSprites(18, 31);
    g.removeSprites(kPlaceSprite, kPlaceSprite + 8);
    g.freePicture(kSheetSlot);
    const std::string& name = t.name(character_);
    if (!name.empty())
        g.loadPicture(kSheetSlot, "AdvData\\GRP\\system\\sam_" + name + ".rbp", true);
    for (int item = kPreviousPage; item <= kBack; ++item)
        look(item, false);
    const int pages = t.galleryPages(character_);
    g.showPicture(14, kPartsSlot, {page_ * 16 + 539, 460, 14, 32}, {674, 454}, kPartsLayer);
    g.showPicture(15, kPartsSlot, {683, 460, 14, 32}, {692, 454}, kPartsLayer);
    g.showPicture(16, kPartsSlot, {pages * 16 + 363, 460, 14, 24}, {708, 460}, kPartsLayer);
    for (int tab = 0; tab < kTabs; ++tab)
        look(kFirstTab + tab, false);

    placesInUse_ = 0;
    for (int p = 0; p < ExtrasTables::kPlacesPerPage; ++p) {
        const int n = page_ * ExtrasTables::kPlacesPerPage + p;
        const std::vector<std::string> pictures = t.picturesOf(character_, n);
        if (pictures.empty())
            break;
        auto& list = lists_[static_cast<size_t>(p)];
        list.clear();
        // A place listing more pictures than it can hold stays locked.
        if (!t.overfull(character_, n)) {
            for (const std::string& picture : pictures) {
                if (story_.seen.isSeen(SeenLists::kPictures, picture))
                    list.push_back(picture);
            }
        }
        unlocked_[static_cast<size_t>(p)] = !list.empty();
        placesInUse_ = p + 1;
        look(kFirstPlace + p, false);
    }
}

void PictureGalleryScreen::act() {
    if (cursor_ == kBack) {
        timer_.restart();
        s_.sound.fadeOutMusic(1000);
        s_.state.subState = 10;
        return;
    }
    if (cursor_ == kPreviousPage || cursor_ == kNextPage) {
        if (tables_.tables().galleryPages(character_) == 2) {
            page_ = 1 - page_;
            buildPage();
        }
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
    const int place = cursor_ - kFirstPlace;
    if (unlocked(place)) {
        shownPlace_ = place;
        pictureNumber_ = 0;
        s_.state.subState = 20;
    }
}

void PictureGalleryScreen::runStep() {
    GraphicsOps& g = s_.graphics;
    ScenarioState& st = s_.state;
    switch (st.subState) {
        case 0:
            tables_.reload();
            cursor_ = kNone;
            character_ = 0;
            page_ = 0;
            resetScreen();
            coverWithScreen();
            showBackdrop(kBackground, kParts);
            buildPage();
            s_.sound.playMusic(kMusic, 0, true);
            timer_.restart();
            st.subState = 1;
            break;
        case 1:
            if (reveal())
                st.subState = 2;
            break;
        case 2: {
            const int count = kFirstPlace + placesInUse_;
            const bool chosen = moveCursor(
                count,
                [this](int item) { return item >= kFirstPlace && !unlocked(item - kFirstPlace); },
                [this](int item, DesignRect& r) {
                    if (item >= kFirstPlace + placesInUse_)
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
            if (fadeAway())
                st.subState = 11;
            break;
        case 11:
            backToTitle();
            break;
        case 20: {
            g.removeSprite(kPictureSprite);
            g.freePicture(kPictureSlot);
            const std::vector<std::string>& list = placePictures(shownPlace_);
            if (pictureNumber_ >= 0 && pictureNumber_ < static_cast<int>(list.size())) {
                const std::string& name = list[static_cast<size_t>(pictureNumber_)];
                g.loadPicture(kPictureSlot, kPictureFolder + name, false);
                g.showWholePicture(kPictureSprite, kPictureSlot, {0, 0}, kPictureLayer);
                ++pictureNumber_;
                st.subState = 21;
            } else {
                st.subState = 2;
            }
            break;
        }
        case 21:
            if (ScreenInput::tapped(s_.input) || ScreenInput::decided(s_.input)) {
                s_.input.tap = 0;
                st.subState = 20;
            }
            break;
        default:
            st.subState = 0;
            break;
    }
}

}  // namespace marlit
