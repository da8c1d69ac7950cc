// Golden frames: a digest of each frame is kept in a text file beside the
// tests (a hash of the whole frame and one of each 32 x 32 tile). A frame
// that differs fails its test and leaves the actual frame and a difference
// picture (the tiles that changed, tinted) in golden_failures/ of the
// working folder. MARLIT_UPDATE_GOLDEN=1 rewrites the file from what the
// program draws; MARLIT_GOLDEN_PNG=<folder> also writes every frame there.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace marlit::test {

struct FrameDigest {
    uint64_t whole = 0;
    std::vector<uint32_t> tiles;
    bool operator==(const FrameDigest&) const = default;
};

// A 24-bit frame (blue, green, red), rows `pitch` bytes apart.
struct FrameView {
    const uint8_t* pixels = nullptr;
    int width = 0;
    int height = 0;
    int pitch = 0;
};

FrameDigest digestOf(const FrameView& frame);

class GoldenBook {
  public:
    explicit GoldenBook(std::string path);
    // Writes the book back when updating.
    ~GoldenBook();

    // Checks a frame against its digest (or records it when updating);
    // false with `message` set when it differs or is missing.
    bool check(const std::string& name, const FrameView& frame, std::string* message);

  private:
    std::string path_;
    bool update_;
    std::string pngFolder_;
    std::map<std::string, FrameDigest> digests_;
};

}  // namespace marlit::test
