// The whole program behind marlit and marlit_vga: reads the command line,
// picks the back end and runs the player.
#pragma once

namespace marlit::app {

// Exit codes: 0 when the player ended (or another copy was brought
// forward), 1 on a failure, 2 on a usage error.
int runMarlit(int argc, char** argv, bool vga);

}  // namespace marlit::app
