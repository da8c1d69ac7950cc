// Runs part of a test in a forked child, for what must not touch the test
// program itself: a limit on file sizes (a full disk), a fatal signal.
#pragma once

#include <cstdint>
#include <functional>

namespace marlit::test {

// Runs `body` in a child process; its return value is the child's exit
// code. The result: that code, or 128 + the signal that ended the child.
int inChild(const std::function<int()>& body);
// The same with files limited to `maxFileBytes`: a write past it fails
// with "File too large", as on a full disk.
int inChildWithFileLimit(uint64_t maxFileBytes, const std::function<int()>& body);
// Runs `body` in a child process and kills it outright (SIGKILL, as a
// power cut would stop it) after `microseconds`, unless it ended before.
// The result as for inChild.
int inChildKilledAfter(uint32_t microseconds, const std::function<int()>& body);

}  // namespace marlit::test
