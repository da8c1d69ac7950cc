// Mode 1: the title. The opening movie (when the data has one), the build-up
// (fade in, the tall picture scrolled up by 600, the title picture, two
// cross-fades), the petals, and the title menu and the extras menu on the
// keys and the stylus. Start fades out and begins the story at
// "0223a_f01"; the sixth item of a completed game begins the epilogue
// "all_end"; the extras lead to the galleries and the music room and come
// back at sub-state 90.
#pragma once

#include <functional>
#include <string>

#include "player/core/mode_screen.h"
#include "player/scenario/scenario_engine.h"
#include "player/screens/screen_services.h"
#include "player/screens/title_voices.h"

namespace marlit {

// What the title asks of the rest of the game.
struct TitleHooks {
    // Starts the opening movie; false when the data has none.
    std::function<bool()> startOpeningMovie;
    // Opens the pop-up menu at its place (the load item); none yet when
    // empty.
    std::function<void()> openMenu;
    // Whether a mode has a screen (the extras items lead to theirs).
    std::function<bool(int)> modeAvailable;
    // Enables or disables the save items of the pop-up menu.
    std::function<void(bool)> enableSaveItems;
};

class TitleScreen : public ModeScreen {
  public:
    static constexpr int kNone = 100;
    static constexpr const char* kNewGameScript = "0223a_f01";
    static constexpr const char* kEpilogueScript = "all_end";
    static constexpr const char* kMusic = "15.mp3";

    TitleScreen(ScreenServices services, ScenarioEngine& story, TitleVoices& voices,
                TitleHooks hooks)
        : s_(services),
          story_(story),
          voices_(voices),
          hooks_(std::move(hooks)),
          timer_(services.graphics) {}
    void step() override;

    // The state of the menu, for the state dump and the tests.
    int menu() const { return menu_; }
    int selection() const { return selection_; }
    bool completed() const { return completed_; }
    int itemCount() const;
    // The picture row of an item of the menu shown.
    int rowOf(int item) const;

  private:
    void runStep();
    void buildMenu();
    void interact();
    void select(int item);
    void choose();
    void fadeToBlack(int next);
    void startStory(const char* script);
    void toExtras(int mode);
    void reportOnce(bool& said, const std::string& text);
    DesignRect itemRect(int item) const;

    ScreenServices s_;
    ScenarioEngine& story_;
    TitleVoices& voices_;
    TitleHooks hooks_;
    ScreenTimer timer_;
    int selection_ = kNone;
    int menu_ = 0;  // 0 the title menu, 1 the extras
    bool completed_ = false;
    bool saidLoad_ = false;
    bool saidExtras_ = false;
};

}  // namespace marlit
