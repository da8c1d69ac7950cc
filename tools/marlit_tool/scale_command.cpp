// marlit-tool scale: the converter's picture scaler on a PNG.
#include <string>

#include "base/command_args.h"
#include "converter/picture_scaler.h"
#include "tools/marlit_tool/command.h"
#include "tools/marlit_tool/png_bitmap.h"

namespace marlit::tool {
namespace {

int runScale(std::span<const std::string> raw);

const Command kScale{
    "scale",
    "",
    "scale IN.png OUT.png --percent P --variant opaque|key|alpha",
    "shrink a picture with the converter's scaler",
    "Scales both sides to P percent (integer, truncating) by area averaging;\n"
    "above 100 each pixel is repeated.\n"
    "Variants:\n"
    "  opaque   RGB out; magenta (255, 0, 255) pixels are left out of the averages\n"
    "           and a box of magenta only stays magenta\n"
    "  key      RGBA out; magenta becomes transparency, colours darken with it\n"
    "  alpha    RGBA in and out; magenta pixels that are not opaque are cleared\n"
    "An RGBA input loses its alpha in the opaque and key variants; an RGB input\n"
    "is opaque in the alpha variant.\n",
    "marlit-tool scale bg01.png small.png --percent 40 --variant opaque",
    runScale,
};

int runScale(std::span<const std::string> raw) {
    Args args(raw, {"percent", "variant"}, {});
    if (!args.error().empty())
        return usageError(kScale, args.error());
    if (args.positional().size() != 2)
        return usageError(kScale, "expected IN.png and OUT.png");
    bool ok = true;
    const auto percent = args.integer("percent", 1, kMaxScalePercent, ok);
    if (!ok || !percent)
        return usageError(kScale, "--percent must be 1 to " + std::to_string(kMaxScalePercent));
    const auto name = args.value("variant");
    const auto variant = name ? variantFromName(*name) : std::nullopt;
    if (!variant)
        return usageError(kScale, "--variant must be opaque, key or alpha");

    std::string error;
    const std::string& in = args.positional()[0];
    auto bitmap = readPngBitmap(in, &error);
    if (!bitmap)
        return fail(error);
    auto scaled = ScalePicture(*bitmap, static_cast<int>(*percent), *variant);
    if (!scaled) {
        return fail(in + ": " + std::to_string(bitmap->width) + "x" +
                    std::to_string(bitmap->height) + " at " + std::to_string(*percent) +
                    "% gives an empty or oversized picture");
    }
    if (!writePngBitmap(args.positional()[1], *scaled, &error))
        return fail(error);
    return 0;
}

const Registrar kRegister(kScale);

}  // namespace
}  // namespace marlit::tool
