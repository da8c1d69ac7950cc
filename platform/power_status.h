// The battery, shown by the popup menu.
#pragma once

namespace marlit {

// The battery percentage when it cannot be told.
constexpr int kBatteryUnknown = 255;

class PowerStatus {
  public:
    virtual ~PowerStatus() = default;
    // 0..100, or kBatteryUnknown.
    virtual int batteryLifePercent() = 0;
};

}  // namespace marlit
