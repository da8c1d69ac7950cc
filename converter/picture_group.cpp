#include "converter/picture_group.h"

#include <filesystem>

#include "base/encoding.h"
#include "base/files.h"
#include "base/sjis.h"
#include "converter/chip_picture.h"
#include "converter/crx_decoder.h"
#include "converter/key_list.h"
#include "converter/ordered_work.h"
#include "converter/picture_scaler.h"
#include "formats/lzss.h"
#include "formats/mlz_pack.h"
#include "formats/mlz_pack_writer.h"
#include "formats/rbp_codec.h"

namespace marlit {

namespace {

// One record made ready on a worker thread.
struct PreparedRecord {
    std::string name;  // Shift-JIS
    std::vector<uint8_t> stored;
    uint32_t expandedSize = 0;
    std::string failure;  // why it could not be made, or empty
};

// Host names are UTF-8; a name that is not (copied from an archive without
// conversion) is taken to be Shift-JIS already.
std::optional<std::string> toSjisName(const std::string& hostName) {
    if (auto sjis = utf8ToSjis(hostName))
        return sjis;
    std::u16string probe = sjisToUtf16(hostName);
    if (probe.find(u'\uFFFD') == std::u16string::npos)
        return hostName;
    return std::nullopt;
}

std::optional<std::vector<uint8_t>> encodePicture(std::span<const uint8_t> file,
                                                  const std::string& sjisName,
                                                  const PictureGroupSettings& settings,
                                                  const KeyList& keys, std::string& why) {
    auto decoded = DecodeCrx(file, &why);
    if (!decoded)
        return std::nullopt;
    ScaleVariant variant = chooseScaleVariant(pixelKindOf(*decoded), sjisName, keys);
    auto scaled = ScalePicture(*decoded, settings.screenPercent, variant);
    if (!scaled) {
        why = "the scaled picture would be empty";
        return std::nullopt;
    }
    auto rbp = EncodeRbp(scaled->view(), settings.quality);
    if (!rbp)
        why = "the picture cannot be encoded";
    return rbp;
}

PreparedRecord prepare(const std::string& sourceRoot, const SourceFile& file,
                       const PictureGroupSettings& settings, const KeyList& keys) {
    PreparedRecord record;
    auto name = pictureRecordName(file);
    if (!name) {
        record.failure = "the name has no Shift-JIS form or is too long for a pack record";
        return record;
    }
    record.name = *name;
    std::string cause;
    auto bytes = readHostFile((std::filesystem::path(sourceRoot) / relativeHostPath(file)).string(),
                              0, &cause);
    if (!bytes) {
        record.failure = "cannot be read: " + cause;
        return record;
    }
    std::vector<uint8_t> content;
    if (classifySource(file) == SourceKind::Picture) {
        std::string why;
        auto rbp = encodePicture(*bytes, *toSjisName(file.name), settings, keys, why);
        if (!rbp) {
            record.failure = why.empty() ? "cannot be decoded" : why;
            return record;
        }
        content = std::move(*rbp);
    } else {
        content = std::move(*bytes);
    }
    record.expandedSize = static_cast<uint32_t>(content.size());
    record.stored = lzssCompressToVector(content);
    return record;
}

}  // namespace

std::string picturePackName(int screenPercent) {
    return screenPercent == 80 ? "grpack_v.mlz" : "grpack.mlz";
}

std::optional<std::string> pictureRecordName(const SourceFile& file) {
    auto folder = toSjisName(file.folder);
    auto name = toSjisName(file.name);
    if (!folder || !name)
        return std::nullopt;
    if (classifySource(file) == SourceKind::Picture) {
        auto dot = findLast(*name, '.');
        name = name->substr(0, *dot) + ".rbp";
    }
    std::string record = folder->empty() ? *name : *folder + "\\" + *name;
    if (record.size() >= kMlzNameSize)
        return std::nullopt;
    return record;
}

std::vector<uint8_t> chipRecordBytes(int screenPercent) {
    ChipPicture chip = makeChipPicture(screenPercent);
    std::vector<uint8_t> bgr = chipPictureBgr(chip);
    PictureView view{ChipPicture::kSize, ChipPicture::kSize, 3, bgr,
                     ChipPicture::kSize, ChipPicture::kSize};
    auto rbp = encodeChipRbp(view);
    return rbp ? std::move(*rbp) : std::vector<uint8_t>();
}

bool convertPictureGroup(const std::string& sourceRoot, std::span<const SourceFile> files,
                         int announcedCount, const std::string& packHostPath,
                         const PictureGroupSettings& settings, const KeyList& keys,
                         const GroupProgress& progress, std::vector<ConvertFailure>& failures) {
    std::vector<const SourceFile*> items;
    for (const auto& f : files) {
        SourceKind kind = classifySource(f);
        if (kind == SourceKind::Picture || kind == SourceKind::Scenario ||
            kind == SourceKind::Map) {
            items.push_back(&f);
        }
    }
    progress.total = announcedCount;
    progress.done = 0;

    MlzPackWriter writer;
    bool ok = writer.openHost(packHostPath, items.size() + 1);
    if (ok) {
        progress.started("chip.rbp");
        ok = writer.add("chip.rbp", chipRecordBytes(settings.screenPercent), kMlzLzss);
        ++progress.done;
    }
    if (ok) {
        size_t consumed = runOrdered<PreparedRecord>(
            items.size(), settings.jobs,
            [&](size_t i) {
                progress.started(items[i]->name);
                return prepare(sourceRoot, *items[i], settings, keys);
            },
            [&](size_t i, PreparedRecord&& record) {
                if (!record.failure.empty()) {
                    failures.push_back({relativeHostPath(*items[i]), record.failure});
                } else if (!writer.addCompressed(record.name, record.stored, record.expandedSize)) {
                    ok = false;
                }
                ++progress.done;
            },
            progress.cancel);
        // A pack cut short by a cancel is never put in place: an older one
        // stays as it was.
        if (consumed < items.size())
            return false;
    }
    ok = ok && writer.finish();
    if (!ok) {
        const std::string& why = writer.error();
        failures.push_back({picturePackName(settings.screenPercent),
                            "the pack cannot be written" + (why.empty() ? "" : ": " + why)});
    }
    return ok;
}

}  // namespace marlit
