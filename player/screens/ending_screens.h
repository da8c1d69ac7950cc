// Mode 80, the ending sequence, and mode 85, the staff roll: the two screens
// at the end of a route. The sequence shows the route's event pictures and
// credit panels at the times of the ending's music, then goes on to the
// route's follow-up script or, without one, to the staff roll. The roll
// scrolls twelve tall credit pictures up over the roll's music, writes the
// system record and leaves for the logo. A tap or a decide key cuts either
// short. Both take their times from the music's position.
#pragma once

#include <functional>

#include "player/core/mode_screen.h"
#include "player/scenario/scenario_engine.h"
#include "player/screens/music_clock.h"
#include "player/screens/screen_services.h"
#include "player/screens/screen_tables.h"

namespace marlit {

// What the endings ask of the rest of the game.
struct EndingHooks {
    // Enables or disables the save items of the pop-up menu.
    std::function<void(bool)> enableSaveItems;
    // Writes the system record (save000.dat).
    std::function<void()> saveSystemRecord;
};

class EndingScreen : public ModeScreen {
  public:
    static constexpr const char* kMusic = "26.mp3";

    EndingScreen(ScenarioEngine& story, ScreenServices services, const ScreenTables& tables,
                 EndingHooks hooks)
        : s_(services),
          story_(story),
          tables_(tables),
          hooks_(std::move(hooks)),
          timer_(services.graphics),
          music_(services.sound, services.graphics) {}
    void step() override;

    // The index of the next record.
    int next() const { return next_; }

  private:
    void runStep();
    void start();
    const std::vector<EndingRecord>& records() const;
    void show(const EndingRecord& record);
    void cutShort();
    void goOn();
    void saveItems(bool on);

    ScreenServices s_;
    ScenarioEngine& story_;
    const ScreenTables& tables_;
    EndingHooks hooks_;
    ScreenTimer timer_;
    MusicClock music_;
    int route_ = 0;
    int next_ = 0;
};

class StaffRollScreen : public ModeScreen {
  public:
    static constexpr const char* kMusic = "27.mp3";
    static constexpr int kPictures = 12;
    static constexpr uint32_t kSegmentMs = 14000;
    static constexpr int kSegmentRise = 1200;

    StaffRollScreen(ScenarioEngine& story, ScreenServices services, EndingHooks hooks)
        : s_(services),
          story_(story),
          hooks_(std::move(hooks)),
          timer_(services.graphics),
          music_(services.sound, services.graphics) {}
    void step() override;

  private:
    void runStep();
    void start();
    void scroll(uint32_t m);
    void enter(int picture);
    void finish();

    ScreenServices s_;
    ScenarioEngine& story_;
    EndingHooks hooks_;
    ScreenTimer timer_;
    MusicClock music_;
};

}  // namespace marlit
