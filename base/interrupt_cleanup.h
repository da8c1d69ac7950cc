// Temporary files that must not outlive an interrupted program. A file
// remembered here is removed when the program is stopped by Ctrl-C (SIGINT),
// SIGTERM or SIGHUP; the signal then takes its ordinary course. The handler
// is installed with the first file remembered, and only for the signals
// the program has not taken over itself.
#pragma once

#include <string>

namespace marlit {

// Installs the handler; called before a file is made, so that no signal
// can come between its making and its handler.
void prepareInterruptCleanup();
// A ticket for forgetInterruptCleanup; -1 when the path cannot be kept
// (too long, or too many files at once), in which case the file is simply
// not removed on a signal.
int rememberForInterruptCleanup(const std::string& path);
// The file has been renamed into place or removed.
void forgetInterruptCleanup(int ticket);

}  // namespace marlit
