// Mode 20: the map. At the end of a story day the player picks one of nine
// places of the town on the day map ("map_a") or the evening map ("map_p");
// each place shows the icons of the characters its scene is about, a
// preview when selected and its crowd voice. The chosen place's script, by
// the schedule row of the day and half-day, takes the story on.
#pragma once

#include <string>

#include "player/core/mode_screen.h"
#include "player/scenario/scenario_engine.h"
#include "player/screens/screen_services.h"
#include "player/screens/screen_tables.h"

namespace marlit {

class MapScreen : public ModeScreen {
  public:
    static constexpr int kNone = 100;
    static constexpr const char* kMusic = "09.mp3";

    MapScreen(ScenarioEngine& story, ScreenServices services, const ScreenTables& tables)
        : s_(services), story_(story), tables_(tables), timer_(services.graphics) {}
    void step() override;

    // The state of the map, for the state dump and the tests.
    int halfDay() const;
    int row() const { return row_; }
    int variant() const { return variant_; }
    int selection() const { return selection_; }

    // The icons of a script name: the first character letter's (20 when it
    // has none in the table) and the second's (-1 when there is none).
    static int firstIcon(const ScreenTables& tables, const std::string& script);
    static int secondIcon(const ScreenTables& tables, const std::string& script);

  private:
    void runStep();
    void setUp();
    void showDate();
    void showIcon(int place, const std::string& script);
    void interact();
    void select(int place);
    void leave();
    const ScheduleCell& cell(int place) const;
    const MapPlace& place(int i) const;

    ScreenServices s_;
    ScenarioEngine& story_;
    const ScreenTables& tables_;
    ScreenTimer timer_;
    int row_ = 0;
    int variant_ = 0;
    int selection_ = kNone;
};

}  // namespace marlit
