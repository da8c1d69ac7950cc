// Mode 10: the day change. At the end of some story days the player picks
// one of three ways to spend the evening; the story reads the choice
// (variable 9,9) in the day's next script, which this screen starts.
#pragma once

#include <string>

#include "player/core/mode_screen.h"
#include "player/scenario/scenario_engine.h"
#include "player/screens/screen_services.h"
#include "player/screens/screen_tables.h"

namespace marlit {

class DayChangeScreen : public ModeScreen {
  public:
    static constexpr int kNone = 100;
    static constexpr const char* kMusic = "12.mp3";

    // The script that follows on each day of the month is the tables'
    // day_change.txt.
    DayChangeScreen(ScenarioEngine& story, ScreenServices services, const ScreenTables& tables)
        : s_(services), story_(story), tables_(tables), timer_(services.graphics) {}
    void step() override;

    int selection() const { return selection_; }

  private:
    void runStep();
    void select(int choice);
    void leave();

    ScreenServices s_;
    ScenarioEngine& story_;
    const ScreenTables& tables_;
    ScreenTimer timer_;
    int selection_ = kNone;
};

}  // namespace marlit
