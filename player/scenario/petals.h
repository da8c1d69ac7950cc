// The falling petals of command "+": up to 32 petals (sprites 128-191 on
// layer 6, from the petal sheet in picture slot 3) drift down the screen,
// swaying, one new petal every fifth spawn attempt, an attempt every
// `period` passes of 32 ms.
#pragma once

#include <array>
#include <cstdint>

#include "player/core/random.h"
#include "player/scenario/scene_pictures.h"

namespace marlit {

class Petals {
  public:
    static constexpr int kMaxPetals = 32;
    static constexpr int kFirstSprite = 128;
    static constexpr int kPicture = 3;
    static constexpr int kLayer = 6;
    static constexpr uint32_t kPassMs = 32;

    Petals(ScenePictures& pictures, GameRandom& random) : pictures_(pictures), random_(random) {}

    // Records the kind (1 or 2) and the period without starting.
    void record(int kind, int period);
    // Starts the recorded kind and period; nothing while already active.
    void start(uint32_t now);
    // Removes every petal, frees the sheet, kind 0.
    void stop();
    // Removes every petal and frees the sheet, keeping the kind and the
    // period for a later start (the petals setting turned off).
    void pause();
    // The passes since the last update.
    void update(uint32_t now);

    int kind() const { return kind_; }
    int period() const { return period_; }
    bool active() const { return active_; }
    int alive() const;

  private:
    struct Petal {
        bool alive = false;
        int32_t x = 0;  // 1024 units per design pixel
        int32_t y = 0;
        int32_t phase = 0;
        int32_t phaseSpeed = 0;
        int32_t fall = 0;
        int32_t sway = 0;
    };

    void spawn();
    void pass();

    ScenePictures& pictures_;
    GameRandom& random_;
    int kind_ = 0;
    int period_ = 20;
    bool active_ = false;
    uint32_t lastUpdate_ = 0;
    int counter_ = 0;
    int attempts_ = 0;  // kept across effects
    std::array<Petal, kMaxPetals> petals_{};
};

}  // namespace marlit
