// marlit-tool pack: lists, extracts and creates pack archives (.mlz).
#include <algorithm>
#include <cstdio>
#include <filesystem>

#include "base/command_args.h"
#include "base/encoding.h"
#include "base/files.h"
#include "base/folder_walk.h"
#include "base/sjis.h"
#include "formats/mlz_pack_writer.h"
#include "formats/mlz_reader.h"
#include "tools/marlit_tool/command.h"
#include "tools/marlit_tool/tool_files.h"

namespace marlit::tool {
namespace {

namespace fs = std::filesystem;

// Opens the pack named on the command line; prints why not.
const MlzPack* openPack(MlzReader& reader, const std::string& hostPack, std::string& systemPack) {
    auto path = utf8ToSjis(hostPack);
    if (!path) {
        fail("cannot name " + hostPack + " in Shift-JIS");
        return nullptr;
    }
    systemPack = *path;
    std::error_code ec;
    if (!fs::is_regular_file(hostPack, ec)) {
        fail("no pack file " + hostPack);
        return nullptr;
    }
    const MlzPack* pack = reader.OpenIndex(systemPack);
    if (!pack)
        fail(hostPack +
             " is not a readable pack (bad header, index cut short, or an index that "
             "does not describe its data)");
    return pack;
}

// Tells on stderr how a pack differs from what its header says: cut short or
// grown since it was written, and the entries that can no longer be read.
void warnAboutDamage(const std::string& hostPack, const MlzPack& pack) {
    if (pack.fileSize != pack.fileLength) {
        uint64_t described = pack.dataStart();
        for (const MlzEntry& e : pack.entries)
            described += e.storedSize;
        const char* why = described == pack.fileLength      ? "the header's size field is wrong"
                          : pack.fileLength < pack.fileSize ? "cut short since it was written"
                                                            : "grown since it was written";
        std::fprintf(
            stderr, "marlit-tool: warning: %s is %llu bytes long, its header says %u (%s)\n",
            hostPack.c_str(), static_cast<unsigned long long>(pack.fileLength), pack.fileSize, why);
    }
    for (size_t i = 0; i < pack.entries.size(); ++i) {
        const MlzEntry& e = pack.entries[i];
        if (!mlzEntryInFile(pack, e)) {
            std::fprintf(stderr,
                         "marlit-tool: warning: entry %zu (%s) runs past the end of %s and "
                         "cannot be read\n",
                         i, sjisToUtf8(e.name).c_str(), hostPack.c_str());
        }
    }
}

// An entry name typed with "/" between folders, as the pack stores it: with
// "\". ("/" is never part of a Shift-JIS double-byte character.)
std::string withBackslashes(std::string name) {
    std::replace(name.begin(), name.end(), '/', '\\');
    return name;
}

// The parts of an entry name as host path components, or none when the
// name would leave the folder it is extracted to: absolute, with a drive,
// with "." or ".." or an empty part. "\" inside double-byte characters is
// not a separator.
std::optional<std::vector<std::string>> safeParts(const std::string& name) {
    std::vector<std::string> parts(1);
    for (size_t i = 0; i < name.size(); ++i) {
        char c = name[i];
        if (isLeadByte(c) && i + 1 < name.size()) {
            parts.back() += name.substr(i++, 2);
        } else if (c == '\\' || c == '/') {
            parts.emplace_back();
        } else {
            parts.back() += c;
        }
    }
    if (parts.size() >= 1 && parts[0].size() == 2 && parts[0][1] == ':')
        return std::nullopt;
    for (auto& p : parts) {
        if (p.empty() || p == "." || p == "..")
            return std::nullopt;
        p = sjisToUtf8(p);
    }
    return parts;
}

bool isInside(const fs::path& path, const fs::path& root) {
    std::error_code ec;
    fs::path a = fs::weakly_canonical(path, ec);
    fs::path b = fs::weakly_canonical(root, ec);
    if (ec)
        return false;
    auto [end, _] = std::mismatch(b.begin(), b.end(), a.begin(), a.end());
    return end == b.end();
}

const Command kList{
    "pack",
    "list",
    "pack list PACK",
    "list the records of a pack",
    "One line per record, tab-separated: index, name (UTF-8), stored size,\n"
    "expanded size, method (0 stored, 1 LZSS), data offset. A pack whose length\n"
    "differs from its header's, and entries that run past its end, are named\n"
    "on stderr.\n",
    "marlit-tool pack list play/1/grpack.mlz",
    [](std::span<const std::string> args) -> int {
        if (args.size() != 1)
            return usageError(kList, "expected PACK");
        MlzReader reader;
        std::string sys;
        const MlzPack* pack = openPack(reader, args[0], sys);
        if (!pack)
            return 1;
        warnAboutDamage(args[0], *pack);
        for (size_t i = 0; i < pack->entries.size(); ++i) {
            const MlzEntry& e = pack->entries[i];
            std::printf("%zu\t%s\t%u\t%u\t%u\t%u\n", i, sjisToUtf8(e.name).c_str(), e.storedSize,
                        e.expandedSize, e.method, e.dataOffset);
        }
        return 0;
    },
};

const Command kExtract{
    "pack",
    "extract",
    "pack extract PACK NAME OUT",
    "write one entry's expanded bytes to a file",
    "NAME is given in UTF-8 or as stored (Shift-JIS), with \"/\" or \"\\\" between\n"
    "folders; letters a-z match either case, double-byte characters only\n"
    "themselves. The first record of that name is taken.\n",
    "marlit-tool pack extract play/1/grpack.mlz AdvData/GRP/BG/bg01.rbp bg01.rbp",
    [](std::span<const std::string> args) -> int {
        if (args.size() != 3)
            return usageError(kExtract, "expected PACK NAME OUT");
        MlzReader reader;
        std::string sys;
        const MlzPack* pack = openPack(reader, args[0], sys);
        if (!pack)
            return 1;
        const MlzEntry* entry = nullptr;
        if (auto sjis = utf8ToSjis(args[1]))
            entry = findMlzEntry(*pack, withBackslashes(*sjis));
        if (!entry)
            entry = findMlzEntry(*pack, withBackslashes(args[1]));
        if (!entry)
            return fail("no entry " + args[1] + " in " + args[0] +
                        " ('marlit-tool pack list' shows the names)");
        if (!mlzEntryInFile(*pack, *entry))
            return fail("entry " + args[1] + " runs past the end of " + args[0] +
                        ", which was cut short");
        auto data = reader.readRecord(sys, *entry);
        if (!data)
            return fail("entry " + args[1] + " in " + args[0] + " cannot be read");
        if (!writeOutput(args[2], *data))
            return 1;
        return 0;
    },
};

const Command kExtractAll{
    "pack",
    "extract-all",
    "pack extract-all PACK DIR",
    "write every entry under a folder",
    "Each entry goes to DIR plus its name, \"\\\" becoming folders. Names that\n"
    "would leave DIR (absolute, with a drive, \"..\") are refused and not\n"
    "written; records without a name are skipped, and so are later records\n"
    "of a name already written (lookups find the first). Exit 1 when any\n"
    "entry was refused or failed.\n",
    "marlit-tool pack extract-all play/1/grpack.mlz unpacked",
    [](std::span<const std::string> args) -> int {
        if (args.size() != 2)
            return usageError(kExtractAll, "expected PACK DIR");
        MlzReader reader;
        std::string sys;
        const MlzPack* found = openPack(reader, args[0], sys);
        if (!found)
            return 1;
        const std::vector<MlzEntry> entries = found->entries;
        fs::path root(args[1]);
        if (!makeOutputFolder(args[1]))
            return 1;
        std::error_code ec;
        int status = 0;
        for (size_t i = 0; i < entries.size(); ++i) {
            const MlzEntry& e = entries[i];
            std::string shown = sjisToUtf8(e.name);
            if (e.name.empty())
                continue;
            bool earlier = std::any_of(entries.begin(), entries.begin() + i,
                                       [&](const MlzEntry& o) { return sameText(o.name, e.name); });
            if (earlier)
                continue;
            auto parts = safeParts(e.name);
            if (!parts) {
                status = fail("refused entry " + shown + ": it would leave " + args[1]);
                continue;
            }
            fs::path out = root;
            for (const auto& p : *parts)
                out /= p;
            fs::create_directories(out.parent_path(), ec);
            if (!isInside(out, root)) {
                status = fail("refused entry " + shown + ": it would leave " + args[1]);
                continue;
            }
            auto data = reader.readRecord(sys, e);
            if (!data) {
                status = fail("entry " + shown + " cannot be read" +
                              (mlzEntryInFile(*found, e) ? "" : ": it runs past the end"));
                continue;
            }
            if (!writeOutput(out.string(), *data))
                status = 1;
        }
        return status;
    },
};

const Command kCreate{
    "pack",
    "create",
    "pack create PACK DIR [--method 0|1]",
    "make a pack of every file under a folder",
    "Names are the paths relative to DIR with \"\\\" separators, in Shift-JIS,\n"
    "at most 63 bytes, in sorted (byte) order. --method 1 (default) stores\n"
    "LZSS-compressed entries, --method 0 stores them as they are.\n",
    "marlit-tool pack create play/1/grpack.mlz unpacked",
    [](std::span<const std::string> args) -> int {
        Args parsed(args, {"method"}, {});
        if (!parsed.error().empty())
            return usageError(kCreate, parsed.error());
        if (parsed.positional().size() != 2)
            return usageError(kCreate, "expected PACK DIR");
        bool ok = true;
        long method = parsed.integer("method", 0, 1, ok).value_or(kMlzLzss);
        if (!ok)
            return usageError(kCreate, "--method takes 0 or 1");
        const std::string& packPath = parsed.positional()[0];
        fs::path root(parsed.positional()[1]);
        std::error_code ec;
        if (!fs::is_directory(root, ec))
            return fail("no folder " + root.string());

        std::vector<std::pair<std::string, fs::path>> files;
        std::string problem;
        FolderVisitor visitor;
        visitor.file = [&](const std::string& folder, const std::string& leaf) {
            const fs::path path = root / folder / leaf;
            // The pack may be written inside the folder: it is not one of its files.
            std::error_code other;
            if (!problem.empty() || fs::equivalent(path, packPath, other))
                return;
            std::string name;
            for (const auto& part : fs::path(folder) / leaf) {
                auto sjis = utf8ToSjis(part.string());
                if (!sjis) {
                    problem = "cannot name " + path.string() + " in Shift-JIS";
                    return;
                }
                name += (name.empty() ? "" : "\\") + *sjis;
            }
            if (name.size() >= kMlzNameSize)
                problem = "name longer than 63 bytes: " + path.string();
            files.emplace_back(name, path);
        };
        visitor.unreadable = [&](const std::string& folder, const std::string& why) {
            if (problem.empty())
                problem = "cannot list " + (root / folder).string() + ": " + why;
        };
        walkFolder(root.string(), visitor);
        if (!problem.empty())
            return fail(problem);
        std::sort(files.begin(), files.end());

        MlzPackWriter writer;
        if (!writer.openHost(packPath, files.size()))
            return fail("cannot create " + packPath + ": " + writer.error());
        for (const auto& [name, path] : files) {
            auto data = readInput(path.string());
            if (!data)
                return 1;
            if (!writer.add(name, *data, static_cast<uint32_t>(method))) {
                return fail(
                    "cannot add " + path.string() + ": " +
                    (writer.error().empty() ? "the pack would pass 4 GiB" : writer.error()));
            }
        }
        if (!writer.finish())
            return fail("cannot write " + packPath + ": " + writer.error());
        return 0;
    },
};

const Registrar kRegisterList(kList);
const Registrar kRegisterExtract(kExtract);
const Registrar kRegisterExtractAll(kExtractAll);
const Registrar kRegisterCreate(kCreate);

}  // namespace
}  // namespace marlit::tool
