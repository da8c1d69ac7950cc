// Writes the sample game's folder: the program file, every picture and
// sound and the voice archive, the same bytes on every run.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace marlit::sample {

struct SampleOptions {
    std::string outDir;    // host path of the game folder to write
    bool small = false;    // the reduced game of the end-to-end test
    std::string fontPath;  // empty: Font::defaultPath()
    std::string pngDir;    // also write each picture as PNG here
    std::string only;      // write only files whose path contains this
    int jobs = 0;          // worker threads; 0: one per core
};

struct WrittenFile {
    std::string path;  // in the game folder, "\" separated
    uint64_t size = 0;
};

// Writes the game; false with `error` saying what failed (and with what
// file) when something cannot be made or written.
bool writeSampleGame(const SampleOptions& options, std::vector<WrittenFile>& written,
                     std::string* error);

}  // namespace marlit::sample
