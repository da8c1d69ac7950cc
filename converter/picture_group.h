// The pictures-and-scripts group of a conversion: "chip.rbp" first, then
// every picture scaled and re-encoded and every script and map copied, in
// the order of the folder scan, into one picture pack.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <vector>

#include "converter/convert_progress.h"
#include "converter/source_scan.h"

namespace marlit {

class KeyList;

struct PictureGroupSettings {
    int screenPercent = 40;  // 40 or 80
    int quality = 0;         // 0 uncompressed, 1-3 JBP 100/90/80
    int jobs = 1;
};

// The pack's file name for a screen percent: "grpack_v.mlz" at 80, else
// "grpack.mlz".
std::string picturePackName(int screenPercent);

// The pack record name of a source file (Shift-JIS): its folder, "\" and
// its name, a picture's extension replaced by ".rbp". None when the name has
// no Shift-JIS form or does not fit a record.
std::optional<std::string> pictureRecordName(const SourceFile& file);

// The record bytes of the engine's chip picture for the screen percent.
std::vector<uint8_t> chipRecordBytes(int screenPercent);

// Writes the pack at packHostPath from the files of the scan (others than
// pictures, scripts and maps are passed over). Sets progress.total to the
// number of records announced and counts progress.done per record. Returns
// false when the pack itself could not be written, and adds the pack with
// the reason to failures, or when the group was cancelled (then the pack is
// not written and an older one stays); files that could not be converted are
// added to failures and get no record.
bool convertPictureGroup(const std::string& sourceRoot, std::span<const SourceFile> files,
                         int announcedCount, const std::string& packHostPath,
                         const PictureGroupSettings& settings, const KeyList& keys,
                         const GroupProgress& progress, std::vector<ConvertFailure>& failures);

}  // namespace marlit
