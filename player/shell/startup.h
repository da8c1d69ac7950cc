// The player's entry: start-up in its fixed order, the message loop, and
// shutdown in its fixed order.
#pragma once

#include "platform/platform.h"
#include "player/shell/game_context.h"

namespace marlit {

// The messages shown when the player cannot take the screen.
constexpr const char* kFullScreenFailedText = "ウィンドウのフルスクリーン化に失敗しました";
constexpr const char* kDisplayFailedText = "GAPIライブラリのロードに失敗しました";
constexpr const char* kErrorCaption = "Error";

// Runs the player to its end. Returns 0 when it stops early (a copy already
// runs, or the window or the screen cannot be had), else the exit code of
// the message loop.
int runPlayer(Platform& platform, const PlayerOptions& options);

}  // namespace marlit
