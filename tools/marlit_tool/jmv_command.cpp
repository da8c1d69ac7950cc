// marlit-tool jmv info|extract|encode: movies.
#include <cstdio>
#include <filesystem>
#include <string>

#include "base/files.h"
#include "converter/bitmap.h"
#include "formats/jbp_stream.h"
#include "formats/jmv_file.h"
#include "base/command_args.h"
#include "tools/marlit_tool/command.h"
#include "tools/marlit_tool/png_bitmap.h"

namespace marlit::tool {
namespace {

extern const Command kInfo, kExtract, kEncode;

// The file and its table; none after saying what was wrong.
std::optional<JmvTable> readTable(const std::string& path, std::vector<uint8_t>& file) {
    auto bytes = readHostFile(path);
    if (!bytes) {
        fail("cannot read " + path);
        return std::nullopt;
    }
    file = std::move(*bytes);
    std::string error;
    auto table = parseJmvTable(file, file.size(), &error);
    if (!table)
        fail(path + ": " + error);
    return table;
}

int runInfo(std::span<const std::string> argv) {
    Args args(argv, {}, {});
    if (!args.error().empty())
        return usageError(kInfo, args.error());
    if (args.positional().size() != 1)
        return usageError(kInfo, "expected FILE");
    const std::string& path = args.positional()[0];
    std::vector<uint8_t> file;
    auto table = readTable(path, file);
    if (!table)
        return 1;
    const JmvHeader& h = table->header;
    std::printf("frames %u\nrate %u\nsize %ux%u\n", h.frameCount, h.framesPerSecond, h.width,
                h.height);
    for (size_t i = 0; i < table->frames.size(); ++i) {
        std::printf("frame %zu: %u bytes at %llu\n", i, table->frames[i].size,
                    static_cast<unsigned long long>(table->fileOffset(i)));
    }
    if (!table->problem.empty())
        return fail(path + ": " + table->problem);
    return 0;
}

int runExtract(std::span<const std::string> argv) {
    Args args(argv, {}, {});
    if (!args.error().empty())
        return usageError(kExtract, args.error());
    if (args.positional().size() != 2)
        return usageError(kExtract, "expected FILE OUTDIR");
    const std::string& path = args.positional()[0];
    const std::filesystem::path outDir(args.positional()[1]);
    std::vector<uint8_t> file;
    auto table = readTable(path, file);
    if (!table)
        return 1;
    std::error_code ec;
    std::filesystem::create_directories(outDir, ec);
    if (ec)
        return fail("cannot create the folder " + outDir.string() + ": " + ec.message());
    const JmvHeader& h = table->header;
    JbpDecoder decoder;
    std::vector<uint16_t> picture(size_t{h.paddedWidth()} * h.paddedHeight());
    int failures = 0;
    for (size_t i = 0; i < table->frames.size(); ++i) {
        std::span<const uint8_t> stream(file.data() + table->fileOffset(i), table->frames[i].size);
        if (!decodeJmvFrame(decoder, h, stream, picture)) {
            fail(path + ": frame " + std::to_string(i) + " is no picture stream of " +
                 std::to_string(h.width) + "x" + std::to_string(h.height) +
                 "; the player leaves it out");
            ++failures;
            continue;
        }
        Bitmap bitmap = bitmapOf565(picture.data(), static_cast<int>(h.width),
                                    static_cast<int>(h.height), h.paddedWidth());
        char name[32];
        std::snprintf(name, sizeof name, "frame%04zu.png", i);
        std::string error;
        if (!writePngBitmap((outDir / name).string(), bitmap, &error))
            return fail(error);
    }
    if (!table->problem.empty())
        return fail(path + ": " + table->problem);
    return failures == 0 ? 0 : 1;
}

int runEncode(std::span<const std::string> argv) {
    Args args(argv, {"fps", "quality"}, {});
    if (!args.error().empty())
        return usageError(kEncode, args.error());
    if (args.positional().size() < 2)
        return usageError(kEncode, "expected OUT.jmv and at least one FRAME.png");
    bool ok = true;
    auto fps = args.integer("fps", 1, 1000, ok);
    if (!ok || !fps)
        return usageError(kEncode, "--fps takes the frames per second, 1 to 1000");
    auto quality = args.integer("quality", 80, 100, ok);
    if (!ok || (quality && *quality != 80 && *quality != 90 && *quality != 100))
        return usageError(kEncode, "--quality takes 100, 90 or 80");
    const int q = quality ? static_cast<int>(*quality) : 90;

    const std::string& out = args.positional()[0];
    std::vector<std::vector<uint8_t>> frames;
    int width = 0, height = 0;
    for (size_t i = 1; i < args.positional().size(); ++i) {
        const std::string& in = args.positional()[i];
        std::string error;
        auto png = readPngBitmap(in, &error);
        if (!png)
            return fail(error);
        if (frames.empty()) {
            width = png->width;
            height = png->height;
        } else if (png->width != width || png->height != height) {
            return fail(in + " is " + std::to_string(png->width) + "x" +
                        std::to_string(png->height) + " but the first frame is " +
                        std::to_string(width) + "x" + std::to_string(height) +
                        "; every frame of a movie has the same size");
        }
        auto stream = EncodeJbp(png->view(), q);
        if (!stream) {
            return fail(in + ": frames must be 32 to 65535 pixels wide and high (this one is " +
                        std::to_string(png->width) + "x" + std::to_string(png->height) + ")");
        }
        frames.push_back(std::move(*stream));
    }
    auto file = writeJmv(static_cast<uint32_t>(*fps), static_cast<uint32_t>(width),
                         static_cast<uint32_t>(height), frames);
    if (!file)
        return fail("the frames together pass the 4 GB a movie file can address");
    if (!writeHostFileAtomic(out, *file))
        return fail("cannot write " + out);
    return 0;
}

const Command kInfo{"jmv",
                    "info",
                    "jmv info FILE",
                    "print a movie's frame count, rate, size and frame table",
                    "Prints 'frames N', 'rate F' (frames per second), 'size WxH', then one\n"
                    "line per frame: its size in bytes and its position in the file. A table\n"
                    "that reaches past the end of the file is listed up to the first frame\n"
                    "outside it, and the command fails naming that frame.\n",
                    "marlit-tool jmv info OP.jmv",
                    runInfo};
const Command kExtract{"jmv",
                       "extract",
                       "jmv extract FILE OUTDIR",
                       "every frame of a movie as a PNG",
                       "Writes OUTDIR/frame0000.png, frame0001.png, ... (RGB, the RGB565 fields\n"
                       "widened by shifting), creating OUTDIR when needed. Frames that do not\n"
                       "decode, as the player would leave them out, are named and skipped, and\n"
                       "the command then fails.\n",
                       "marlit-tool jmv extract OP.jmv frames",
                       runExtract};
const Command kEncode{"jmv",
                      "encode",
                      "jmv encode OUT.jmv --fps F [--quality Q] FRAME.png...",
                      "PNG frames to a movie the player shows",
                      "The frames play in the order given, F per second (1 to 1000). Each is\n"
                      "stored as a DCT picture stream at JPEG quality Q: 100, 90 (the default) or\n"
                      "80. Every frame must have the size of the first, 32 to 65535 pixels each\n"
                      "way; alpha is ignored. The 320 x 240 player shows frames 1:1, the\n"
                      "640 x 480 player doubled, both centred and without the last width mod 8\n"
                      "(mod 4 when doubled) pixels of each row: make frames 320x240 or smaller\n"
                      "and a multiple of 8 wide. An .mp3 file of the same name beside the movie\n"
                      "is its sound and sets its pace. Header and table bytes the player does\n"
                      "not read are written as zeros.\n",
                      "marlit-tool jmv encode OP.jmv --fps 15 frame*.png",
                      runEncode};

const Registrar kRegisterInfo(kInfo);
const Registrar kRegisterExtract(kExtract);
const Registrar kRegisterEncode(kEncode);

}  // namespace
}  // namespace marlit::tool
