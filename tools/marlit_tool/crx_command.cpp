// marlit-tool crx decode|encode: the PC game's CRX pictures to PNG and back.
#include <algorithm>
#include <string>

#include "base/command_args.h"
#include "base/files.h"
#include "converter/crx_decoder.h"
#include "tools/crx/crx_writer.h"
#include "tools/marlit_tool/command.h"
#include "tools/marlit_tool/png_bitmap.h"
#include "tools/marlit_tool/tool_files.h"

namespace marlit::tool {
namespace {

int runDecode(std::span<const std::string> raw);
int runEncode(std::span<const std::string> raw);

const Command kDecode{
    "crx",
    "decode",
    "crx decode IN.crx OUT.png",
    "decode a CRX picture of the PC game into a PNG",
    "Writes an RGB PNG, or an RGBA PNG for a 32-bit picture with alpha.\n"
    "Indexed pictures come out through their palette.\n",
    "marlit-tool crx decode game/AdvData/GRP/BG/bg01.crx bg01.png",
    runDecode,
};

const Command kEncode{
    "crx",
    "encode",
    "crx encode IN.png OUT.crx --type lz|zlib [--filter 0..4] [--indexed]",
    "write a PNG as a CRX picture",
    "Options:\n"
    "  --type lz     the LZ compression type (24-bit, or indexed)\n"
    "  --type zlib   zlib-compressed rows (24-bit, 32-bit for RGBA PNGs, or indexed)\n"
    "  --filter N    the row filter 0-4 of every row (zlib, direct colour);\n"
    "                without it each row gets the filter that suits it\n"
    "  --indexed     an 8-bit picture with a palette (at most 256 colours)\n"
    "Only --type zlib without --indexed keeps an alpha channel.\n",
    "marlit-tool crx encode bg01.png game/AdvData/GRP/BG/bg01.crx --type zlib",
    runEncode,
};

int runDecode(std::span<const std::string> raw) {
    Args args(raw, {}, {});
    if (!args.error().empty())
        return usageError(kDecode, args.error());
    if (args.positional().size() != 2)
        return usageError(kDecode, "expected IN.crx and OUT.png");
    const std::string& in = args.positional()[0];
    auto bytes = readInput(in);
    if (!bytes)
        return 1;
    std::string error;
    auto bitmap = DecodeCrx(*bytes, &error);
    if (!bitmap)
        return fail(in + ": " + error);
    if (!writePngBitmap(args.positional()[1], *bitmap, &error))
        return fail(error);
    return 0;
}

bool isOpaque(const Bitmap& b) {
    if (b.bytesPerPixel != 4)
        return true;
    for (size_t i = 3; i < b.pixels.size(); i += 4) {
        if (b.pixels[i] != 255)
            return false;
    }
    return true;
}

int runEncode(std::span<const std::string> raw) {
    Args args(raw, {"type", "filter"}, {"indexed"});
    if (!args.error().empty())
        return usageError(kEncode, args.error());
    if (args.positional().size() != 2)
        return usageError(kEncode, "expected IN.png and OUT.crx");
    const auto type = args.value("type");
    if (!type || (*type != "lz" && *type != "zlib")) {
        return usageError(kEncode, "--type must be lz or zlib");
    }
    bool ok = true;
    const auto filter = args.integer("filter", 0, 4, ok);
    if (!ok)
        return usageError(kEncode, "--filter must be 0 to 4");
    const bool indexed = args.flag("indexed");
    const bool lz = *type == "lz";
    if (filter && (lz || indexed)) {
        return usageError(kEncode, "--filter applies to direct-colour zlib pictures only");
    }

    std::string error;
    const std::string& in = args.positional()[0];
    auto bitmap = readPngBitmap(in, &error);
    if (!bitmap)
        return fail(error);
    crx::CrxPicture picture;
    if (indexed || lz) {
        // Neither carries alpha: keep only fully opaque pictures.
        if (!isOpaque(*bitmap)) {
            return fail(in +
                        " has transparent pixels; only --type zlib without --indexed keeps alpha");
        }
    }
    if (indexed) {
        auto p = crx::indexedPicture(*bitmap);
        if (!p)
            return fail(in + " has more than 256 colours; it cannot be indexed");
        picture = std::move(*p);
    } else {
        picture = crx::directPicture(*bitmap);
        if (lz && picture.depth == crx::CrxDepth::Rgba32) {
            Bitmap rgb = makeBitmap(bitmap->width, bitmap->height, 3);
            for (size_t i = 0, j = 0; i < bitmap->pixels.size(); i += 4, j += 3) {
                std::copy_n(&bitmap->pixels[i], 3, &rgb.pixels[j]);
            }
            picture = crx::directPicture(rgb);
        }
    }
    crx::CrxWriteOptions options;
    options.compression = lz ? crx::CrxCompression::Lz : crx::CrxCompression::Zlib;
    options.filter = filter ? static_cast<int>(*filter) : -1;
    auto file = crx::writeCrx(picture, options, &error);
    if (!file)
        return fail(in + ": " + error);
    if (!writeOutput(args.positional()[1], *file))
        return 1;
    return 0;
}

const Registrar kRegisterDecode(kDecode);
const Registrar kRegisterEncode(kEncode);

}  // namespace
}  // namespace marlit::tool
