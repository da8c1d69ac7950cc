// The 65 536 scenario variables: signed 16-bit values addressed by a flat
// index, bank x 256 + index (an index above 255 reaches into the following
// banks). Banks 0-49 hold the story (cleared by a new game, kept in every
// save); banks 50-255 hold the system values kept across games.
#pragma once

#include <array>
#include <cstdint>
#include <optional>

namespace marlit {

class ScenarioVars {
  public:
    static constexpr uint32_t kCount = 65536;
    static constexpr uint32_t kStoryCount = 50 * 256;

    static constexpr uint32_t flat(uint32_t bank, uint32_t index) { return bank * 256 + index; }
    static constexpr bool valid(uint32_t flatIndex) { return flatIndex < kCount; }

    // Zero for an index out of range.
    int16_t get(uint32_t flatIndex) const { return valid(flatIndex) ? values_[flatIndex] : 0; }
    int16_t get(uint32_t bank, uint32_t index) const { return get(flat(bank, index)); }
    // False (nothing stored) for an index out of range.
    bool set(uint32_t flatIndex, int value) {
        if (!valid(flatIndex))
            return false;
        values_[flatIndex] = static_cast<int16_t>(static_cast<uint16_t>(value));
        return true;
    }
    bool set(uint32_t bank, uint32_t index, int value) { return set(flat(bank, index), value); }

    // A new game: the story banks go back to 0, the system banks stay.
    void clearStory() { std::fill(values_.begin(), values_.begin() + kStoryCount, int16_t{0}); }
    void clearAll() { values_.fill(0); }

    const std::array<int16_t, kCount>& all() const { return values_; }

  private:
    std::array<int16_t, kCount> values_{};
};

// The fixed variables.
namespace var {
constexpr uint32_t kRouteScores = ScenarioVars::flat(0, 0);  // 13 of them
constexpr int kRouteCount = 13;
constexpr uint32_t kMonth = ScenarioVars::flat(9, 0);
constexpr uint32_t kDay = ScenarioVars::flat(9, 1);
constexpr uint32_t kWeekday = ScenarioVars::flat(9, 2);
constexpr uint32_t kHalfDay = ScenarioVars::flat(9, 3);
constexpr uint32_t kCardHeroine = ScenarioVars::flat(9, 8);
constexpr uint32_t kDayChoice = ScenarioVars::flat(9, 9);
constexpr uint32_t kLeadingRoute = ScenarioVars::flat(9, 10);
constexpr uint32_t kRouteMarks = ScenarioVars::flat(100, 0);
}  // namespace var

}  // namespace marlit
