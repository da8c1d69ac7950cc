// Every picture of the sample game: where it goes in the game folder, how
// it is stored (which CRX type, depth and row filter) and what paints it.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "tools/crx/crx_writer.h"
#include "tools/samplegame/canvas.h"
#include "tools/samplegame/text.h"

namespace marlit::sample {

enum class Storage {
    Opaque,   // 24-bit
    Alpha,    // 32-bit with alpha (zlib type only)
    Keyed,    // 24-bit, magenta where nothing is drawn
    Indexed,  // 8-bit with a palette (the picture must have at most 256 colours)
};

struct PictureJob {
    std::string path;  // in the game folder, "\" separated
    Storage storage = Storage::Opaque;
    crx::CrxWriteOptions options;
    std::function<Canvas(const Font&)> paint;
};

// The full game's pictures, or the small game's (the same names where the
// story needs them, fewer of the rest).
std::vector<PictureJob> pictureJobs(bool small);

// The CRX file of a painted picture; none, with `error` set, when the
// storage cannot hold it.
std::optional<std::vector<uint8_t>> encodePicture(const PictureJob& job, const Canvas& canvas,
                                                  std::string* error);
// The picture as the player would see it, for a PNG preview.
Bitmap previewBitmap(const PictureJob& job, const Canvas& canvas);

}  // namespace marlit::sample
