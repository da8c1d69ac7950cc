#pragma once

namespace marlit {

// x = radius cos(degrees), y = radius sin(degrees), each truncated.
void polar(double degrees, double radius, int& x, int& y);

}  // namespace marlit
