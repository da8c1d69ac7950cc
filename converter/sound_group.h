// The music and effects group of a conversion: every sound file becomes an
// MP3 of the same name in the output folder.
#pragma once

#include <span>
#include <string>
#include <vector>

#include "converter/convert_progress.h"
#include "converter/sound_convert.h"

namespace marlit {

// The output file name of a sound: its file name (without folder) with the
// extension replaced by ".mp3".
std::string mp3FileName(const std::string& sourcePath);

// Converts the sound files at the host paths, in list order, with the BGM
// settings, on up to `jobs` threads, writing outputFolder/NAME.mp3 for each
// (sub-folders are not reproduced: a later file of the same name wins, as
// the list order says whatever the job count). Adds the count to
// progress.total at the start and 1 to progress.done per file, in list
// order. Returns the files that could not be converted; nothing is written
// for them. A cancel stops it between files: the files written stay.
std::vector<ConvertFailure> convertSoundGroup(std::span<const std::string> sourcePaths,
                                              const std::string& outputFolder,
                                              const Mp3Settings& settings, int jobs,
                                              const GroupProgress& progress);

}  // namespace marlit
