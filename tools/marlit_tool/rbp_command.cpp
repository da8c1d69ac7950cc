// marlit-tool rbp info|decode|encode and jbp decode: the handheld pictures.
#include <cstdio>
#include <string>

#include "base/command_args.h"
#include "base/files.h"
#include "base/printable.h"
#include "converter/bitmap.h"
#include "formats/jbp_stream.h"
#include "formats/rbp_codec.h"
#include "formats/rbp_image.h"
#include "tools/marlit_tool/command.h"
#include "tools/marlit_tool/png_bitmap.h"
#include "tools/marlit_tool/tool_files.h"

namespace marlit::tool {
namespace {

bool endsWithPng(const std::string& path) {
    if (path.size() < 4)
        return false;
    std::string tail = path.substr(path.size() - 4);
    for (char& c : tail)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return tail == ".png";
}

extern const Command kInfo, kDecode, kEncode, kJbpDecode;

int runInfo(std::span<const std::string> argv) {
    Args args(argv, {}, {});
    if (!args.error().empty())
        return usageError(kInfo, args.error());
    if (args.positional().size() != 1)
        return usageError(kInfo, "expected FILE");
    auto file = readInput(args.positional()[0]);
    if (!file)
        return 1;
    const std::string& in = args.positional()[0];
    auto h = parseRbpHeader(*file);
    if (!h)
        return fail(in + ": too short for a picture (" + std::to_string(file->size()) + " bytes)");
    const std::string version = printable({&h->version, 1});
    std::printf("kind %u\nversion %s\nsize %ux%u\nsource size %dx%d\nJBP size %u\n", h->kind,
                version.c_str(), h->width, h->height, h->sourceWidth, h->sourceHeight, h->jbpSize);
    // The header is shown either way; its verdict is the exit code.
    if (!knownRbpKind(h->kind)) {
        return fail(in + ": not a picture: kind " + std::to_string(h->kind) +
                    " is none of 1, 11, 13, 30 and 31");
    }
    if (h->payloadOffset > file->size()) {
        return fail(in + ": not a picture: its data would start at byte " +
                    std::to_string(h->payloadOffset) + " of " + std::to_string(file->size()));
    }
    return 0;
}

int runDecode(std::span<const std::string> argv) {
    Args args(argv, {}, {"key"});
    if (!args.error().empty())
        return usageError(kDecode, args.error());
    if (args.positional().size() != 2)
        return usageError(kDecode, "expected IN.rbp OUT.png");
    const std::string& in = args.positional()[0];
    auto file = readInput(in);
    if (!file)
        return 1;
    auto picture = decodeRbp(*file, args.flag("key"));
    if (!picture)
        return fail(in + ": not a picture that loads");
    Bitmap bitmap = makeBitmap(picture->width, picture->height, 4);
    bitmap.pixels = std::move(picture->pixels);
    std::string error;
    if (!writePngBitmap(args.positional()[1], bitmap, &error))
        return fail(error);
    return 0;
}

int runEncode(std::span<const std::string> argv) {
    Args args(argv, {"quality"}, {});
    if (!args.error().empty())
        return usageError(kEncode, args.error());
    if (args.positional().size() != 2)
        return usageError(kEncode, "expected IN.png OUT.rbp");
    bool ok = true;
    auto quality = args.integer("quality", 0, kRbpQualityCount - 1, ok);
    if (!ok || !quality)
        return usageError(kEncode, "--quality takes 0, 1, 2 or 3");
    std::string error;
    auto png = readPngBitmap(args.positional()[0], &error);
    if (!png)
        return fail(error);
    PictureView view{png->width,  png->height,      png->bytesPerPixel,
                     png->pixels, png->sourceWidth, png->sourceHeight};
    auto rbp = EncodeRbp(view, static_cast<int>(*quality));
    if (!rbp)
        return fail("a picture over 32767 pixels wide or high cannot be stored");
    if (!writeOutput(args.positional()[1], *rbp))
        return 1;
    return 0;
}

int runJbpDecode(std::span<const std::string> argv) {
    Args args(argv, {}, {});
    if (!args.error().empty())
        return usageError(kJbpDecode, args.error());
    if (args.positional().size() != 2)
        return usageError(kJbpDecode, "expected IN OUT");
    const std::string& in = args.positional()[0];
    const std::string& out = args.positional()[1];
    auto stream = readInput(in);
    if (!stream)
        return 1;
    auto picture = DecodeJbp(*stream);
    if (!picture)
        return fail(in + ": not a stream that decodes");
    if (endsWithPng(out)) {
        Bitmap bitmap = bitmapOf565(picture->pixels.data(), picture->paddedWidth,
                                    picture->paddedHeight, picture->paddedWidth);
        std::string error;
        if (!writePngBitmap(out, bitmap, &error))
            return fail(error);
        return 0;
    }
    std::vector<uint8_t> raw(picture->pixels.size() * 2);
    for (size_t i = 0; i < picture->pixels.size(); ++i) {
        raw[2 * i] = static_cast<uint8_t>(picture->pixels[i]);
        raw[2 * i + 1] = static_cast<uint8_t>(picture->pixels[i] >> 8);
    }
    if (!writeOutput(out, raw))
        return 1;
    return 0;
}

const Command kInfo{"rbp",
                    "info",
                    "rbp info FILE",
                    "print the header of a handheld picture (.rbp)",
                    "Prints one field per line: kind, version character, size (WxH), source\n"
                    "size (WxH before scaling) and JBP size (bytes of the DCT stream).\n",
                    "marlit-tool rbp info bg01.rbp",
                    runInfo};
const Command kDecode{"rbp",
                      "decode",
                      "rbp decode IN.rbp OUT.png [--key]",
                      "a handheld picture as the player loads it, as an RGBA PNG",
                      "The working picture (blue, green, red, alpha bytes) as red, green, blue,\n"
                      "alpha. --key loads with the colour key: RGB565 0xF81F becomes transparent\n"
                      "in uncompressed opaque pictures.\n",
                      "marlit-tool rbp decode bg01.rbp bg01.png",
                      runDecode};
const Command kEncode{"rbp",
                      "encode",
                      "rbp encode IN.png OUT.rbp --quality 0..3",
                      "a PNG to the handheld picture the converter would write",
                      "An RGB PNG gives an opaque picture, an RGBA PNG one with alpha.\n"
                      "--quality 0 stores it uncompressed (RGB565); 1, 2, 3 as a DCT stream at\n"
                      "JPEG quality 100, 90, 80, except pictures under 32 pixels wide or high.\n",
                      "marlit-tool rbp encode bg01.png bg01.rbp --quality 2",
                      runEncode};
const Command kJbpDecode{
    "jbp",
    "decode",
    "jbp decode IN OUT",
    "a DCT picture stream (JBP1) to its padded RGB565 picture",
    "The picture has the stream's size rounded up to multiples of 16. OUT\n"
    "ending in .png gets an RGB PNG (fields widened by shifting, low bits 0);\n"
    "any other name the raw little-endian RGB565 words, rows top to bottom.\n",
    "marlit-tool jbp decode bg01.jbp bg01.png",
    runJbpDecode};

const Registrar kRegisterInfo(kInfo);
const Registrar kRegisterDecode(kDecode);
const Registrar kRegisterEncode(kEncode);
const Registrar kRegisterJbpDecode(kJbpDecode);

}  // namespace
}  // namespace marlit::tool
