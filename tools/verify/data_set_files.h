// A converted data set as the player finds it: the data places of its
// marlitpc.cfg (or the defaults under the program folder), the entries of
// its picture pack and its voice pack, and the music and effect files.
#pragma once

#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "player/core/data_paths.h"

namespace marlit {

class DataSetFiles {
  public:
    // The data set under a program folder (a host path) for one screen
    // size. None, with `error` saying what is wrong and what to do, when
    // the folder or its picture pack cannot be read.
    static std::optional<DataSetFiles> open(const std::string& programFolder, bool vga,
                                            std::string* error);

    const DataPaths& paths() const { return paths_; }
    // The host folder of the picture pack (where a data set keeps its own
    // game tables).
    std::string packFolder() const;
    // The names of the picture pack's entries, in pack order.
    const std::vector<std::string>& pictureEntries() const { return entries_; }

    // Lookups by the names the player uses, in the player's equality
    // (ASCII case-insensitive).
    bool hasPackEntry(std::string_view name) const;
    bool hasVoice(std::string_view name) const;
    bool hasMusic(std::string_view fileName) const;
    bool hasEffect(std::string_view fileName) const;
    // False when the voice pack could not be read (every voice is then
    // missing).
    bool voicePackRead() const { return voicePackRead_; }

  private:
    DataPaths paths_;
    std::vector<std::string> entries_;
    std::set<std::string> pack_;    // folded names
    std::set<std::string> voices_;  // folded names
    bool voicePackRead_ = false;
};

}  // namespace marlit
