#include "base/polar.h"

#include <cmath>
#include <numbers>

namespace marlit {

void polar(double degrees, double radius, int& x, int& y) {
    double rad = degrees * std::numbers::pi / 180.0;
    x = static_cast<int>(radius * std::cos(rad));
    y = static_cast<int>(radius * std::sin(rad));
}

}  // namespace marlit
