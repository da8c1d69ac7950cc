// The fixed list of interface and sprite sheets whose magenta key becomes
// real transparency when they are scaled. It is game data, kept in a text
// file (data/key_pictures.txt) that users may extend without rebuilding.
//
// File format: one file name per row, as raw Shift-JIS bytes. Blank rows
// and rows whose first non-blank byte is '#' are skipped; spaces and tabs
// around a name and a CR before the LF are dropped.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace marlit {

class KeyList {
  public:
    KeyList() = default;
    static KeyList parse(std::string_view text);
    // None, with `error` set, when the file cannot be read.
    static std::optional<KeyList> load(std::string_view path, std::string* error = nullptr);

    // True when fileName (without its folder) equals a listed name under the
    // name equality.
    bool contains(std::string_view fileName) const;
    const std::vector<std::string>& names() const { return names_; }

  private:
    std::vector<std::string> names_;
};

// Where the shipped list is: $MARLIT_DATA_DIR/key_pictures.txt when that
// variable is set, else the data folder of the source tree built from.
std::string defaultKeyListPath();

}  // namespace marlit
