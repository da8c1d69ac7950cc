// marlit-tool save: what a save slot file holds, read by the player's own
// reader: its record as text and its thumbnail as a PNG picture.
#include <cstdio>
#include <string>

#include "base/bytes.h"
#include "base/encoding.h"
#include "base/files.h"
#include "base/png.h"
#include "player/persist/save_record.h"
#include "player/persist/save_thumbnail.h"
#include "tools/marlit_tool/command.h"

namespace marlit::tool {
namespace {

// The slot file and its record, or the exit code of a failure.
struct ReadSave {
    std::vector<uint8_t> bytes;
    std::optional<SaveRecord> record;
    int failure = 0;
};

ReadSave readSave(const std::string& path) {
    ReadSave out;
    std::string why;
    auto bytes = readHostFile(path, 0, &why);
    if (!bytes) {
        out.failure = fail("cannot read " + path + ": " + why);
        return out;
    }
    out.bytes = std::move(*bytes);
    out.record = decodeSaveRecord(out.bytes, &why);
    if (!out.record)
        out.failure = fail(path + " is not a save the player can load: " + why);
    return out;
}

const Command kInfo{
    "save",
    "info",
    "save info FILE",
    "print what a save slot file holds",
    "Prints one field a line: magic, date, summary (in UTF-8), label, mode,\n"
    "position (the byte offset of the command in the script), message, then\n"
    "\"variables:\" and one line \"BANK INDEX VALUE\" for every story variable\n"
    "(banks 0-49) that is not zero, in index order. Exits with 1 when FILE is\n"
    "not a save the player can load (shorter than 48180 bytes, a magic other\n"
    "than \"HXR1\", or damaged images).\n",
    "marlit-tool save info play/save001.dat",
    [](std::span<const std::string> args) -> int {
        if (args.size() != 1)
            return usageError(kInfo, "expected FILE");
        const ReadSave save = readSave(args[0]);
        if (save.failure)
            return save.failure;
        const SaveRecord& r = *save.record;
        std::printf("magic: %s\n", r.magic.c_str());
        std::printf("date: %s\n", r.date.c_str());
        std::printf("summary: %s\n", sjisToUtf8(r.summary).c_str());
        std::printf("label: %s\n", sjisToUtf8(r.label).c_str());
        std::printf("mode: %d\n", r.mode);
        std::printf("position: %d\n", r.position);
        std::printf("message: %d\n", r.message);
        std::printf("variables:\n");
        for (size_t i = 0; i < r.storyVars.size(); ++i) {
            if (r.storyVars[i] != 0)
                std::printf("%zu %zu %d\n", i / 256, i % 256, r.storyVars[i]);
        }
        return 0;
    },
};

const Command kThumb{
    "save",
    "thumb",
    "save thumb FILE OUT.png",
    "write the thumbnail of a save slot file as a PNG picture",
    "Reads the 16-bit (5-6-5) thumbnail bitmap that follows the record\n"
    "(80 x 60, or 160 x 120 for the 640-wide build) and writes it as an RGB\n"
    "PNG picture. Exits with 1 when FILE is not a save or holds no thumbnail.\n",
    "marlit-tool save thumb play/save001.dat slot1.png",
    [](std::span<const std::string> args) -> int {
        if (args.size() != 2)
            return usageError(kThumb, "expected FILE OUT.png");
        const ReadSave save = readSave(args[0]);
        if (save.failure)
            return save.failure;
        const uint32_t at = save.record->thumbnailOffset;
        if (at < SaveLayout::kRecordBytes || at >= save.bytes.size())
            return fail(args[0] + " holds no thumbnail after its record");
        std::string why;
        auto pixels = readThumbnail(std::span(save.bytes).subspan(at), &why);
        if (!pixels)
            return fail(args[0] + ": " + why);
        PngImage png{pixels->width, pixels->height, 3, std::move(pixels->rgb)};
        if (!writePng(args[1], png, &why))
            return fail("cannot write " + args[1] + ": " + why);
        return 0;
    },
};

const Registrar kRegisterInfo(kInfo);
const Registrar kRegisterThumb(kThumb);

}  // namespace
}  // namespace marlit::tool
