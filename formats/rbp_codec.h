// Writing handheld pictures (converter side) and reading them into the
// player's 32-bit working pictures.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "formats/picture_view.h"

namespace marlit {

class MlzReader;

// Picture quality choices of the converter: 0 stores the picture
// uncompressed, 1, 2 and 3 as a JbpStream at JPEG quality 100, 90 and 80.
inline constexpr int kRbpQualityCount = 4;
// Pictures narrower or lower than this are always stored uncompressed.
inline constexpr int kJbpMinSize = 32;

// The .rbp file of a 24-bit (kinds 13 and 30) or 32-bit (kinds 1 and 31)
// picture. A 24-bit pixel of the key colour (255, 0, 255) packs to the
// player's RGB565 key 0xF81F. None for an invalid picture or quality, or a
// source size outside 16 bits.
std::optional<std::vector<uint8_t>> EncodeRbp(const PictureView& picture, int quality);

// The embedded chip picture: "MBP1", kind 13, source size = stored size.
std::optional<std::vector<uint8_t>> encodeChipRbp(const PictureView& picture);

// A loaded picture: 4 bytes per pixel (blue, green, red, alpha), rows top
// to bottom without padding.
// Blue, green, red and alpha.
inline constexpr int kWorkingBytesPerPixel = 4;

struct WorkingPicture {
    int width = 0;
    int height = 0;
    int sourceWidth = 0;
    int sourceHeight = 0;
    // The name looked up (extension ".rbp").
    std::string name;
    // kWorkingPictureKeyed when loaded with the colour-key flag.
    uint32_t marker = 0;
    std::vector<uint8_t> pixels;
};

inline constexpr uint32_t kWorkingPictureKeyed = 1u << 31;
// Pictures with more pixels than this are refused.
inline constexpr uint64_t kWorkingPictureMaxPixels = 1u << 24;

// The working picture of an .rbp file's bytes. With colourKey, kind-13
// pixels 0xF81F become transparent. None for a file that is cut short or
// whose sizes do not agree.
std::optional<WorkingPicture> decodeRbp(std::span<const uint8_t> file, bool colourKey);

// The lookup name of a picture: its extension (from the last ".") replaced
// by ".rbp"; none when the name or the result is over 63 bytes.
std::optional<std::string> rbpLookupName(std::string_view name);

// Loads a picture by name. When `place` ends with "\" it is a folder and
// the picture is the loose file place + name; otherwise `place` is a pack
// read through `reader`. None when the name is too long, the picture cannot
// be read, or it does not decode.
std::optional<WorkingPicture> LoadRbp(std::string_view name, std::string_view place, bool colourKey,
                                      MlzReader& reader);

}  // namespace marlit
