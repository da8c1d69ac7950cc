// Mode 0: the maker's logo fades in over 2 s, a voice greets, it holds for
// 3 s and fades out over 1 s; then the title (mode 1). A tap or a decide key
// at any step goes to the title at once.
#pragma once

#include "player/core/mode_screen.h"
#include "player/screens/screen_services.h"
#include "player/screens/title_voices.h"

namespace marlit {

class LogoScreen : public ModeScreen {
  public:
    static constexpr int kSlot = 10;
    static constexpr int kSprite = 10;
    static constexpr int kLayer = 30;
    static constexpr const char* kPicture = "AdvData\\grp\\Vantor2.rbp";

    LogoScreen(ScreenServices services, TitleVoices& voices)
        : s_(services), voices_(voices), timer_(services.graphics) {}
    void step() override;

  private:
    void toTitle();

    ScreenServices s_;
    TitleVoices& voices_;
    ScreenTimer timer_;
};

// Removes every sprite and frees the picture slots the framing screens use.
void clearScreenPictures(GraphicsOps& graphics);

}  // namespace marlit
