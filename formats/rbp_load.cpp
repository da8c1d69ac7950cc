// The player's picture loader: a name, a pack or a loose folder, and the
// decoding of the bytes found there.
#include "base/files.h"
#include "base/sjis.h"
#include "formats/mlz_reader.h"
#include "formats/rbp_codec.h"

namespace marlit {

namespace {
// Names live in 64-byte fields: at most 63 bytes and a NUL.
constexpr size_t kMaxNameBytes = 63;
}  // namespace

std::optional<std::string> rbpLookupName(std::string_view name) {
    if (name.size() > kMaxNameBytes)
        return std::nullopt;
    std::string result(name);
    // The extension is the part after the last "." of the last path part; a
    // name without one gets ".rbp" added rather than losing a folder's dot.
    auto dot = findLast(name, '.');
    auto slash = findLast(name, '\\');
    if (dot && (!slash || *dot > *slash))
        result.resize(*dot);
    result += ".rbp";
    // ".rbp" may be longer than the extension it replaces.
    if (result.size() > kMaxNameBytes)
        return std::nullopt;
    return result;
}

std::optional<WorkingPicture> LoadRbp(std::string_view name, std::string_view place, bool colourKey,
                                      MlzReader& reader) {
    auto lookup = rbpLookupName(name);
    if (!lookup)
        return std::nullopt;
    std::optional<std::vector<uint8_t>> file;
    if (!place.empty() && place.back() == '\\') {
        std::string path = std::string(place) + *lookup;
        // A loose picture is held to the size a pack entry may have.
        if (fileSize(path) > int64_t{kMlzMaxExpandedSize})
            return std::nullopt;
        file = readWhole(path);
    } else {
        file = reader.ReadEntry(place, *lookup);
    }
    if (!file)
        return std::nullopt;
    auto picture = decodeRbp(*file, colourKey);
    if (picture)
        picture->name = std::move(*lookup);
    return picture;
}

}  // namespace marlit
