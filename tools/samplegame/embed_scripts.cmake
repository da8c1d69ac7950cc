# Writes the story's scripts (scripts/*.txt, the `mes asm` text form) into a
# C++ source as byte arrays, so that mksample carries them and assembles
# them wherever it runs. Run as:
#   cmake -DSCRIPTS=<folder> -DOUT=<file.cpp> -P embed_scripts.cmake
file(GLOB files RELATIVE ${SCRIPTS} ${SCRIPTS}/*.txt)
list(SORT files)
set(arrays "")
set(rows "")
set(index 0)
foreach(f IN LISTS files)
  get_filename_component(label ${f} NAME_WE)
  file(READ ${SCRIPTS}/${f} hex HEX)
  string(LENGTH "${hex}" digits)
  math(EXPR size "${digits} / 2")
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
  string(REGEX REPLACE "((0x..,){24})" "\\1\n    " bytes "${bytes}")
  string(APPEND arrays "const unsigned char kScript${index}[] = {\n    ${bytes}};\n")
  string(APPEND rows "    {\"${label}\", {reinterpret_cast<const char*>(kScript${index}), ${size}}},\n")
  math(EXPR index "${index} + 1")
endforeach()
set(text "// Made by tools/samplegame/embed_scripts.cmake from tools/samplegame/scripts/.
#include \"tools/samplegame/story_scripts.h\"

namespace marlit::sample {
namespace {
${arrays}
const StoryScript kScripts[] = {
${rows}};
}  // namespace

std::span<const StoryScript> storyScripts() {
    return kScripts;
}

}  // namespace marlit::sample
")
# Rewritten only when it changes, so that a touch of the folder does not
# rebuild the library.
if(EXISTS ${OUT})
  file(READ ${OUT} old)
endif()
if(NOT "${old}" STREQUAL "${text}")
  file(WRITE ${OUT} "${text}")
endif()
