// The save slot reader on untrusted bytes: a record read back must write
// the same record again, and its thumbnail reader stays inside the file.
#include <cstddef>
#include <cstdint>
#include <span>

#include "player/persist/save_record.h"
#include "player/persist/save_thumbnail.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace marlit;
    const std::span<const uint8_t> file(data, size);
    (void)readThumbnail(file);
    auto record = decodeSaveRecord(file);
    if (!record)
        return 0;
    if (record->storyVars.size() != 50 * 256 ||
        record->window.windowState.size() > MessageWindowImage::kStateBytes)
        __builtin_trap();
    for (const SpriteImage& s : record->sprites) {
        if (s.sprite.frames.size() > SpriteImage::kMaxFrames)
            __builtin_trap();
    }
    // Read, written and read again: the same record.
    const auto bytes = encodeSaveRecord(*record);
    if (bytes.size() != SaveLayout::kRecordBytes)
        __builtin_trap();
    auto again = decodeSaveRecord(bytes);
    if (!again || encodeSaveRecord(*again) != bytes)
        __builtin_trap();
    if (record->thumbnailOffset >= SaveLayout::kRecordBytes && record->thumbnailOffset < size)
        (void)readThumbnail(file.subspan(record->thumbnailOffset));
    return 0;
}
