// The story's scenario scripts: the `mes asm` text of scripts/*.txt, built
// into the program, and the script files assembled from them.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace marlit::sample {

struct StoryScript {
    std::string_view label;  // the file name without ".txt": the script's label
    std::string_view text;   // the `mes asm` text form
};

// Every script, by label in byte order.
std::span<const StoryScript> storyScripts();

struct AssembledScript {
    std::string label;
    std::vector<uint8_t> bytes;  // the .mes file
};

// Every script assembled, after checking that the set holds together (every
// jump, goto and choice target exists). False with `error` naming the
// script file and line, or each broken link, when it does not.
bool assembleStory(std::vector<AssembledScript>& out, std::string* error);

}  // namespace marlit::sample
