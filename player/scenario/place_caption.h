// The place caption: when a background belongs to a place of the place
// table, its name (a cell of "place.rbp") fades in at the top right for a
// second, stays three seconds and fades out for a second. Showing the same
// place again shows nothing until the caption is removed from outside.
#pragma once

#include <cstdint>
#include <string_view>

#include "player/scenario/scenario_tables.h"
#include "player/scenario/scene_pictures.h"

namespace marlit {

class PlaceCaption {
  public:
    static constexpr int kSprite = 257;
    static constexpr int kPicture = 65;
    static constexpr int kLayer = 8;
    static constexpr const char* kPicturePath = "AdvData\\grp\\system\\place.rbp";

    PlaceCaption(ScenePictures& pictures, const ScenarioTables& tables)
        : pictures_(pictures), tables_(tables) {}

    // After a background change (when BG_NAME_DISP is on).
    void show(std::string_view backgroundPath, uint32_t now);
    // Once per step: the fade in, the stay and the fade out.
    void update(uint32_t now);
    // Removed from outside: the caption goes and the last place is forgotten.
    void remove();

    bool shown() const { return shown_; }
    int place() const { return shown_ ? lastPlace_ : -1; }
    int lastPlace() const { return lastPlace_; }
    int phase() const { return phase_; }

  private:
    ScenePictures& pictures_;
    const ScenarioTables& tables_;
    bool shown_ = false;
    int phase_ = 0;
    uint32_t start_ = 0;
    int lastPlace_ = -1;
};

}  // namespace marlit
