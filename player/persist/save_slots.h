// The 15 save slots in the save folder: Save writes the scenario's last
// snapshot with the date, a summary and a thumbnail of the screen; Load
// puts the scene back; ListSlots gives the menu's items. Every save and load
// also writes the system record, every save the logs.
#pragma once

#include <array>
#include <cstdint>
#include <ctime>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "player/persist/player_logs.h"
#include "player/persist/save_record.h"
#include "player/persist/save_summary.h"

namespace marlit {

class ScenarioEngine;
struct ScenarioRecord;

constexpr int kSaveSlots = 15;

// "save001.dat", or "save001_v.dat" on the 640-wide build, for slot 1-15.
std::string slotFileName(int slotNumber, bool vga);

struct SlotItem {
    bool present = false;
    std::string text;                // Shift-JIS: the menu item
    std::vector<uint8_t> thumbnail;  // the bitmap file, empty when absent
};

// The record a save holds, from the engine's snapshot.
SaveRecord saveRecordFrom(const ScenarioRecord& snapshot);

// Puts a record's scene back into the engine (sound, pictures, sprites,
// variables, script and position, the manner setting, the message
// window's page).
void restoreScene(ScenarioEngine& engine, const SaveRecord& record);

class SaveSlots {
  public:
    struct Services {
        ScenarioEngine& engine;
        PlayerLogs& logs;
        std::string hostFolder;  // the save folder, ending with "/"
        bool vga = false;        // the 640-wide build
        SaveTitles titles;
        // The local time of a save.
        std::function<std::tm()> localTime;
        std::function<void(const std::string&)> report;
    };

    explicit SaveSlots(Services services);

    // Writes slot file slot + 1 (slot 0-14) from the engine's snapshot
    // (taken now when none was). False when it could not be written.
    bool Save(int slot, int32_t value = 0);
    // Reads slot file slot + 1 and puts its scene back. An empty slot or a
    // file that is no save (shorter than a record, a bad magic) is refused:
    // the scene stays, the slot shows as undefined and false comes back.
    bool Load(int slot);
    // Reads every slot file for the menu.
    void ListSlots();
    const std::array<SlotItem, kSaveSlots>& items() const { return items_; }

    // The centre key's quick save and quick load: slot 1.
    bool quickSave() { return Save(0, 0); }
    bool quickLoad() { return Load(0); }

    // Told after ListSlots (the menu refreshes its items).
    std::function<void()> listed;

    std::string slotPath(int slot) const;

  private:
    Services s_;
    std::array<SlotItem, kSaveSlots> items_;
};

}  // namespace marlit
