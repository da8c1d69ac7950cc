// Text from a file shown in a message: bytes that a terminal would act on or
// show as garbage are written as \xNN, and a long run is cut, so that a bad
// file cannot flood or upset the terminal that reports it.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace marlit {

// At most `maxBytes` bytes of `text`, printable ASCII as it is, every other
// byte (and the backslash) escaped, and "..." after a cut.
std::string printable(std::string_view text, size_t maxBytes = 40);

}  // namespace marlit
