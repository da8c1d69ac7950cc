// A small installed game made in code for the converter's tests: pictures
// of every kind written with the CRX writer, scripts, maps, sounds and a
// voice archive, in the folders the game uses.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace marlit::test {

// A picture of the size with a pattern that depends on `seed`.
std::vector<uint8_t> crxPicture(int width, int height, int seed, bool alpha, bool lzType);

class GameFolder {
  public:
    explicit GameFolder(std::string root);
    const std::string& root() const { return root_; }

    // Writes bytes at the relative path ("/" separators), creating folders.
    void put(const std::string& relative, const std::vector<uint8_t>& bytes) const;
    void putText(const std::string& relative, const std::string& text) const;

    // The program file that marks a game folder, and a typical layout:
    // pictures of both types in the root, in sub-folders and in a "Voice"
    // folder, "startup.CRX", a script and a map.
    void addProgram() const;
    void addPictures() const;
    // A two-second tone as a game sound file at the relative path.
    void addSound(const std::string& relative) const;

  private:
    std::string root_;
};

}  // namespace marlit::test
