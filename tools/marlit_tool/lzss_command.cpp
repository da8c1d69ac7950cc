// marlit-tool lzss: the packs' LZSS stream on its own.
#include <cstdio>

#include "base/command_args.h"
#include "base/files.h"
#include "formats/lzss.h"
#include "formats/mlz_pack.h"
#include "tools/marlit_tool/command.h"
#include "tools/marlit_tool/tool_files.h"

namespace marlit::tool {
namespace {

const Command kCompress{
    "lzss",
    "compress",
    "lzss compress IN OUT",
    "compress a file into a bare LZSS stream",
    "OUT holds the stream only (as a pack entry of method 1 stores it); an\n"
    "empty IN gives an empty OUT.\n",
    "marlit-tool lzss compress start.mes start.lzss",
    [](std::span<const std::string> args) -> int {
        if (args.size() != 2)
            return usageError(kCompress, "expected IN OUT");
        auto data = readInput(args[0]);
        if (!data)
            return 1;
        auto packed = lzssCompressToVector(*data);
        if (!writeOutput(args[1], packed))
            return 1;
        return 0;
    },
};

const Command kExpand{
    "lzss",
    "expand",
    "lzss expand IN OUT SIZE",
    "expand a bare LZSS stream into SIZE bytes",
    "OUT gets exactly SIZE bytes (at most 64 MiB): the stream is cut there,\n"
    "and zeros follow a stream that ends early (with a note on stderr).\n",
    "marlit-tool lzss expand start.lzss start.mes 4096",
    [](std::span<const std::string> args) -> int {
        if (args.size() != 3)
            return usageError(kExpand, "expected IN OUT SIZE");
        auto size = parseInteger(args[2]);
        if (!size || *size < 0 || *size > kMlzMaxExpandedSize) {
            return usageError(kExpand, "SIZE must be a number from 0 to 67108864");
        }
        auto stream = readInput(args[0]);
        if (!stream)
            return 1;
        std::vector<uint8_t> out(static_cast<size_t>(*size));
        size_t produced = LzssExpand(*stream, out);
        if (produced < out.size()) {
            std::fprintf(stderr, "marlit-tool: the stream gave %zu of %zu bytes; zeros follow\n",
                         produced, out.size());
        }
        if (!writeOutput(args[1], out))
            return 1;
        return 0;
    },
};

const Registrar kRegisterCompress(kCompress);
const Registrar kRegisterExpand(kExpand);

}  // namespace
}  // namespace marlit::tool
