// A modal message for the user; the player shows one only when it cannot
// start.
#pragma once

#include <string_view>

namespace marlit {

class MessageBox {
  public:
    virtual ~MessageBox() = default;
    // UTF-8 text and caption; returns when the user has read it.
    virtual void show(std::string_view text, std::string_view caption) = 0;
};

}  // namespace marlit
