// Which of convMarlitPC's front ends runs: the window or the terminal.
#pragma once

#include "apps/convMarlitPC/options.h"

namespace marlit {

// The window opens with --gui, or on a desktop when the command line holds
// nothing but the window's own switches; otherwise the terminal runs.
bool wantsWindow(const ConverterOptions& options, int argc, char** argv);

// Runs the window until it closes; 2, with a message, when it cannot open.
int runWindow(const ConverterOptions& options, int argc, char** argv);

}  // namespace marlit
