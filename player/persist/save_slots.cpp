#include "player/persist/save_slots.h"

#include <cstdio>

#include "base/bytes.h"
#include "base/files.h"
#include "base/kept_file.h"
#include "player/persist/save_thumbnail.h"
#include "player/scenario/scenario_engine.h"

namespace marlit {

std::string slotFileName(int slotNumber, bool vga) {
    char name[32];
    std::snprintf(name, sizeof name, vga ? "save%03d_v.dat" : "save%03d.dat", slotNumber);
    return name;
}

SaveSlots::SaveSlots(Services services) : s_(std::move(services)) {
    if (!s_.hostFolder.empty() && s_.hostFolder.back() != '/')
        s_.hostFolder += '/';
}

std::string SaveSlots::slotPath(int slot) const {
    return s_.hostFolder + slotFileName(slot + 1, s_.vga);
}

namespace {

bool wholeSave(std::span<const uint8_t> b) {
    return decodeSaveRecord(b).has_value();
}

std::string dateText(const std::tm& t) {
    // Room for any int fields, so that a wild date is cut by nothing.
    char text[96];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", t.tm_year + 1900,
                  t.tm_mon + 1, t.tm_mday, t.tm_hour, t.tm_min, t.tm_sec);
    return text;
}

}  // namespace

bool SaveSlots::Save(int slot, int32_t value) {
    if (slot < 0 || slot >= kSaveSlots)
        return false;
    ScenarioEngine& e = s_.engine;
    if (!e.record.taken)
        e.Snapshot();
    SaveRecord record = saveRecordFrom(e.record);
    record.caller = value;
    record.date = dateText(s_.localTime ? s_.localTime() : std::tm{});
    const auto var = [&](uint32_t flat) {
        return flat < record.storyVars.size() ? record.storyVars[flat] : int16_t{0};
    };
    record.summary =
        saveSummary(record.label, var(var::kMonth), var(var::kDay), var(var::kWeekday), s_.titles);
    std::vector<uint8_t> file = encodeSaveRecord(record);
    const Surface screen = e.services.graphics.backBuffer();
    if (screen.pixels) {
        const auto thumb = makeThumbnail(screen, ThumbnailSize::forScreen(screen.width));
        file.insert(file.end(), thumb.begin(), thumb.end());
    }
    std::string why;
    const bool written = writeKeptFile(slotPath(slot), file, &why);
    if (!written && s_.report)
        s_.report("cannot write the save " + slotPath(slot) + ": " + why +
                  " (check that the save folder can be written)");
    ListSlots();
    s_.logs.SaveSystem();
    s_.logs.WriteLogs();
    return written;
}

bool SaveSlots::Load(int slot) {
    if (slot < 0 || slot >= kSaveSlots)
        return false;
    std::string why;
    auto kept = readKeptFile(slotPath(slot), wholeSave, &why);
    std::optional<SaveRecord> record;
    if (kept) {
        record = decodeSaveRecord(kept->data, &why);
    } else if (auto raw = readHostFile(slotPath(slot))) {
        decodeSaveRecord(*raw, &why);  // says what is wrong with it
    } else {
        why = "there is no save in this slot (" + why + ")";
    }
    if (!record) {
        if (s_.report)
            s_.report("cannot load " + slotPath(slot) + ": " + why +
                      "; the slot is shown as empty");
        items_[static_cast<size_t>(slot)] = {false, emptySlotText(), {}};
        if (listed)
            listed();
        return false;
    }
    s_.logs.SaveSystem();
    restoreScene(s_.engine, *record);
    return true;
}

void SaveSlots::ListSlots() {
    for (int slot = 0; slot < kSaveSlots; ++slot) {
        SlotItem item{false, emptySlotText(), {}};
        auto kept = readKeptFile(slotPath(slot), [](std::span<const uint8_t> b) {
            return b.size() >= SaveLayout::kRecordBytes && saveVersion(b).has_value();
        });
        if (kept) {
            const auto& b = kept->data;
            ByteReader in(b);
            in.seek(SaveLayout::kDate);
            const std::string date = in.fixedText(20);
            const std::string summary = in.fixedText(SaveLayout::kTextField);
            item.present = true;
            item.text = saveMenuText(date, summary);
            const uint32_t at = loadU32(b.data() + SaveLayout::kThumbnailOffset);
            if (at >= SaveLayout::kRecordBytes && at < b.size())
                item.thumbnail.assign(b.begin() + at, b.end());
        }
        items_[static_cast<size_t>(slot)] = std::move(item);
    }
    if (listed)
        listed();
}

}  // namespace marlit
