// The command ids that the popup menu posts to the window (and that a
// scripted input may post as "command N").
#pragma once

namespace marlit {

constexpr int kCommandExit = 40007;
constexpr int kCommandReturnToTitle = 40008;

}  // namespace marlit
