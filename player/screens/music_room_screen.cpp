#include "player/screens/music_room_screen.h"

#include "base/format.h"

namespace marlit {

namespace {

constexpr const char* kBackground = "AdvData\\GRP\\system\\music.rbp";
constexpr const char* kChips = "AdvData\\GRP\\system\\musicchip.rbp";
constexpr const char* kTitles = "AdvData\\GRP\\system\\musictitle.rbp";
constexpr int kTitleSlot = 12;
constexpr int kFirstPieceSprite = 128;
constexpr int kPieceLayer = 56;
constexpr int kCaptionLayer = 48;

using Button = ExtrasScreen::Button;
constexpr Button kButtons[4] = {
    {11, {264, 2, 40, 30}, {456, 2}, {672, 472}, {672, 472, 40, 32}},
    {12, {312, 2, 40, 30}, {504, 2}, {720, 472}, {720, 472, 40, 32}},
    {13, {709, 41, 56, 24}, {709, 65}, {614, 464}, {614, 464, 56, 24}},
    {14, {218, 33, 118, 32}, {338, 33}, {640, 524}, {640, 524, 120, 32}},
};

struct Label {
    int sprite;
    DesignRect source;
    DesignPoint at;
};
constexpr Label kLabels[3] = {
    {15, {0, 26, 72, 22}, {392, 464}},
    {16, {72, 2, 72, 22}, {464, 464}},
    {17, {144, 2, 72, 22}, {536, 464}},
};

DesignRect pieceRect(int j) {
    return {96 + 400 * (j / 10), 160 + 40 * (j % 10), 256, 32};
}

}  // namespace

int MusicRoomScreen::pieceCount(int page) {
    return page == 2 ? kPieces - 32 : 16;
}

std::string MusicRoomScreen::musicFile(int c) {
    return formatText("%z2.mp3", {c + 1});
}

DesignRect MusicRoomScreen::captionSource(int d) {
    if (d <= 35)
        return {(d / 18) * 352 + 2, (d % 18) * 32 + 75, 340, 20};
    return {210, 730, 340, 20};
}

void MusicRoomScreen::look(int item, bool lit) {
    GraphicsOps& g = s_.graphics;
    if (item < 0)
        return;
    if (item < kFirstPiece) {
        showButton(kButtons[item], lit);
        return;
    }
    const int j = item - kFirstPiece;
    if (j >= pieceCount())
        return;
    const int c = pageOffset(page_) + j;
    const DesignRect at = pieceRect(j);
    g.showPicture(kFirstPieceSprite + 2 * j, kPartsSlot,
                  {(c % 16) * 40, (c / 16) * 32 + (lit ? 752 : 656), 40, 32},
                  {48 + 400 * (j / 10), at.y}, kPieceLayer);
    // Title row 18 of the sheet is never used: the pieces after the 18th
    // lie one row on.
    const int t = c > 17 ? c + 1 : c;
    g.showPicture(kFirstPieceSprite + 2 * j + 1, kTitleSlot,
                  {(t / 19 + (lit ? 2 : 0)) * 256, (t % 19) * 32, 256, 32}, {at.x, at.y},
                  kPieceLayer);
}

void MusicRoomScreen::buildPage() {
    GraphicsOps& g = s_.graphics;
    g.removeSprites(kFirstPieceSprite, kFirstPieceSprite + 31);
    g.removeSprites(11, 17);
    for (int item = kPreviousPage; item <= kBack; ++item)
        look(item, false);
    for (const Label& l : kLabels)
        g.showPicture(l.sprite, kPartsSlot, l.source, l.at, kPartsLayer);
    for (int j = 0; j < pieceCount(); ++j)
        look(kFirstPiece + j, false);
    cursor_ = kNone;
}

void MusicRoomScreen::act() {
    switch (cursor_) {
        case kPreviousPage:
            page_ = page_ == 0 ? kPages - 1 : page_ - 1;
            buildPage();
            return;
        case kNextPage:
            page_ = (page_ + 1) % kPages;
            buildPage();
            return;
        case kSound:
            return;
        case kBack:
            timer_.restart();
            s_.sound.fadeOutMusic(1000);
            s_.state.subState = 10;
            return;
        default:
            break;
    }
    const int c = pageOffset(page_) + cursor_ - kFirstPiece;
    chosen_ = c;
    s_.graphics.showPicture(kCaptionSprite, kPartsSlot, captionSource(c), {402, 434},
                            kCaptionLayer);
    // The same piece again goes on playing (playMusic ignores its name);
    // a piece whose file is missing is silent, its caption still shown.
    s_.sound.playMusic(musicFile(c), 0, true);
}

void MusicRoomScreen::runStep() {
    GraphicsOps& g = s_.graphics;
    ScenarioState& st = s_.state;
    switch (st.subState) {
        case 0:
            resetScreen();
            coverWithScreen();
            showBackdrop(kBackground, kChips);
            g.loadPicture(kTitleSlot, kTitles, true);
            page_ = 0;
            chosen_ = kNone;
            buildPage();
            timer_.restart();
            st.subState = 1;
            break;
        case 1:
            if (reveal())
                st.subState = 2;
            break;
        case 2: {
            const int count = kFirstPiece + pieceCount();
            const bool chosen = moveCursor(
                count, [](int) { return false; },
                [](int item, DesignRect& r) {
                    r = item < kFirstPiece ? kButtons[item].hit : pieceRect(item - kFirstPiece);
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
        default:
            st.subState = 0;
            break;
    }
}

}  // namespace marlit
