// Mode 30: the music room. The game's 37 pieces on three pages (16, 16 and
// 5); choosing one plays it in a loop and shows its now-playing caption.
// The room starts silent.
#pragma once

#include <string>

#include "player/screens/extras_screen.h"

namespace marlit {

class MusicRoomScreen : public ExtrasScreen {
  public:
    static constexpr int kPieces = 37;
    static constexpr int kPages = 3;
    // Items (cursor values); piece j of the page is item 4 + j.
    static constexpr int kPreviousPage = 0;
    static constexpr int kNextPage = 1;
    static constexpr int kSound = 2;  // a button without an action
    static constexpr int kBack = 3;
    static constexpr int kFirstPiece = 4;
    static constexpr int kCaptionSprite = 18;

    MusicRoomScreen(ScreenServices services, ScenarioEngine& story)
        : ExtrasScreen(services, story) {}

    int page() const { return page_; }
    int pieceCount() const { return pieceCount(page_); }
    static int pieceCount(int page);
    static int pageOffset(int page) { return page * 16; }
    // The music file of piece c (0-36): "01.mp3" .. "37.mp3".
    static std::string musicFile(int c);
    // The now-playing caption of piece d (0-36) in the parts sheet.
    static DesignRect captionSource(int d);
    // The piece chosen last (0-36), none before the first.
    int chosen() const { return chosen_; }

  protected:
    void runStep() override;

  private:
    void buildPage();
    void look(int item, bool lit);
    void act();

    int page_ = 0;
    int chosen_ = kNone;
};

}  // namespace marlit
