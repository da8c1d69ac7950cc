// Splitting a line of a text table or script into its words.
#pragma once

#include <string_view>
#include <vector>

namespace marlit {

// The runs of characters between spaces and tabs, in order; views into line.
std::vector<std::string_view> splitWords(std::string_view line);

}  // namespace marlit
