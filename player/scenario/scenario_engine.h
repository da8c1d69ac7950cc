// The scenario engine: loads scripts from the picture pack and runs them,
// one frame at a time, while the top-level mode is 99. Each frame Step runs
// commands until one of them yields; a command that waits is run again the
// next frame with a repeat count above 0.
//
// It reaches the rest of the player only through the services it is given:
// the graphics operations, the scenario's sounds, the settings, the input of
// the frame, the random numbers, the script pack and the screen shake. A
// script that cannot be loaded or read (a missing label or block end, a
// byte that is no command, a stream that runs off its end) stops the
// scenario with one line on stderr and returns to the title; a command with
// a variable outside the 65 536 or a division by zero is skipped with the
// same kind of line.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "formats/mes_script.h"
#include "player/core/data_paths.h"
#include "player/core/input_state.h"
#include "player/core/random.h"
#include "player/core/settings.h"
#include "player/graphics/graphics_ops.h"
#include "player/scenario/petals.h"
#include "player/scenario/place_caption.h"
#include "player/scenario/read_log.h"
#include "player/scenario/scenario_command.h"
#include "player/scenario/scenario_record.h"
#include "player/scenario/scenario_sound.h"
#include "player/scenario/scenario_state.h"
#include "player/scenario/scenario_tables.h"
#include "player/scenario/scenario_vars.h"
#include "player/scenario/scene_pictures.h"
#include "player/scenario/shake.h"

namespace marlit {

class MlzReader;
class MessageWindow;

struct ScenarioServices {
    GraphicsOps& graphics;
    ScenarioSound& sound;
    const Settings& settings;
    InputState& input;
    GameRandom& random;
    // The scripts' pack (the picture pack of the data paths) and its reader.
    MlzReader& packReader;
    const DataPaths& paths;
    const ScenarioTables& tables;
    // The screen shake the shell presents, screen pixels.
    int32_t& shakeX;
    int32_t& shakeY;
    // The global brightness (256 full).
    int32_t& brightness;
    // One line for the user (stderr, started by the program's name).
    std::function<void(const std::string&)> report;
    // The number of the frame being run, for the trace.
    std::function<uint64_t()> frame;
};

// One executed command, for the trace.
struct TraceEntry {
    uint64_t frame = 0;
    std::string_view scriptName;
    const MesScript* script = nullptr;
    const Command* command = nullptr;
};

class ScenarioEngine {
  public:
    static constexpr int kMaxCommandsPerStep = 100000;
    // A script that runs this many commands in one frame without waiting
    // (a loop of jumps) has its frame ended there.
    int commandsPerStepLimit = kMaxCommandsPerStep;

    ScenarioEngine(ScenarioState& state, ScenarioServices services);

    // --- what the shell and the screens call ---
    // Loads "AdvData\mes\" + label + ".mes" from the picture pack and resets
    // the position; false (no script loaded) when it cannot be read.
    bool LoadScript(std::string_view label);
    // One frame of mode 99.
    void Step();
    void StartNewGame();
    void ReturnToTitle();
    // Copies the restorable state into the record.
    void Snapshot();
    // The manner setting, after a background change and when the menu
    // changes DISP_FREE_MODE.
    void applyManner();

    // A text command's handler (the message window plugs its commands in).
    void setHandler(uint8_t opcode, CommandHandler handler);
    CommandHandler handler(uint8_t opcode) const { return handlers_[opcode]; }
    std::function<void(const TraceEntry&)> trace;
    // Shows or hides the message window (the window sets this).
    std::function<void(bool)> showWindow;
    // Given every message as it starts to be laid out: one UTF-8 line of
    // the script, the message number, the speaker, the voice and the text,
    // separated by tabs (--text-log).
    std::function<void(const std::string&)> textLog;
    // Ends the locked skip (the settings are the shell's).
    std::function<void()> stopLockedSkip;
    // Quick save and quick load of slot 0 (the save slots are the shell's);
    // the page wait calls them on the centre key when KEY_CEN_CTRL asks.
    std::function<bool()> quickSave;
    std::function<bool()> quickLoad;
    // Writes the read log and the seen lists (the logs are the shell's);
    // called at a page wait after a message was newly read.
    std::function<void()> writeLogs;
    // The message window, once plugged in (installTextCommands); built by
    // StartNewGame, freed by ReturnToTitle.
    MessageWindow* window = nullptr;

    // --- what the command handlers use ---
    ScenarioState& state;
    ScenarioServices services;
    ScenarioVars vars;
    ReadLog readLog;
    SeenLists seen;
    ScenePictures pictures;
    Shake shake;
    PlaceCaption caption;
    Petals petals;
    ScenarioRecord record;
    std::string voiceName;  // the last voice, for the window and the recall

    const MesScript* script() const { return script_ ? &*script_ : nullptr; }
    uint32_t now() { return services.graphics.now(); }
    // Stops the scenario: one line naming the script and position, then the
    // title.
    void fault(uint32_t position, const std::string& what);
    void fault(std::string_view script, uint32_t position, const std::string& what);
    // Skips one command with a line naming it.
    void ignore(const Command& command, const std::string& what);
    // A click of this frame (tap, third button or right), and clearing it.
    bool clicked() const;
    void clearClick();
    // The locked skip or the skip key held.
    bool skipping() const;
    void setWindowShown(bool shown);
    // The opcode at a position, or none past the end.
    std::optional<uint8_t> opcodeAt(uint32_t position) const;

    // Day card, background scroll and page wait (auto-advance) work fields.
    uint32_t waitStart = 0;
    // The highlighted choice, 100 for none.
    int32_t choiceCursor = 100;
    bool scrollHidWindow = false;

    // Why the last LoadScript failed.
    const std::string& loadError() const { return loadError_; }
    // Counts the scripts loaded (a handler that loads one ends the frame's
    // repeat bookkeeping for the old position).
    uint64_t loads() const { return loads_; }

  private:
    bool decode(uint32_t position, Command& out);
    void setCalendar(std::string_view label);
    void setLeadingRoute();

    std::optional<MesScript> script_;
    std::string loadError_;
    uint64_t loads_ = 0;
    bool reportedRunaway_ = false;
    std::array<CommandHandler, 256> handlers_{};
};

}  // namespace marlit
