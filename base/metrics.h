// The design space of 800 x 600 in which scripts and hit boxes give
// positions (the PC game's screen).
#pragma once

namespace marlit {

constexpr int kDesignWidth = 800;
constexpr int kDesignHeight = 600;

}  // namespace marlit
