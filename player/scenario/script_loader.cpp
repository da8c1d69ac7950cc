// LoadScript: the script named by a label from the picture pack, and what
// entering a script does to the rest of the state (the seen list, the
// effect channel, the caption and the petals, the calendar, the leading
// route).
#include <cctype>

#include "base/sjis.h"
#include "formats/mlz_reader.h"
#include "player/scenario/scenario_engine.h"
#include "player/scenario/script_names.h"

namespace marlit {

namespace {

constexpr size_t kLabelBytes = 63;

// The weekday offset of the months 2 to 8.
constexpr int kWeekdayOffset[] = {4, 4, 0, 2, 5, 0, 3};

}  // namespace

bool ScenarioEngine::LoadScript(std::string_view label) {
    // 1. The name, cut to its field.
    char name[kLabelBytes + 1] = {};
    textCopyBounded(name, sizeof name, label);
    state.scriptName = name;
    // 2. The seen list keeps the last path component.
    seen.addScript(lastPathComponent(state.scriptName));
    // 3. The entry.
    const std::string entry = "AdvData\\mes\\" + state.scriptName + ".mes";
    // 4. Entering a script silences its effects.
    services.sound.stopEffect();
    caption.remove();
    petals.stop();
    // 5. The old script goes.
    script_.reset();
    ++loads_;
    reportedRunaway_ = false;
    loadError_.clear();
    // 6. The new one.
    auto bytes = services.packReader.ReadEntry(services.paths.picturePack, entry);
    if (!bytes) {
        loadError_ = entry + " is not in the picture pack " + services.paths.picturePack +
                     " (or the pack cannot be read)";
        return false;
    }
    ScriptFault why;
    auto parsed = MesScript::parse(std::move(*bytes), &why);
    if (!parsed) {
        loadError_ = entry + " is not a script: " + why.what;
        return false;
    }
    script_ = std::move(parsed);
    // 8. Reset.
    state.position = 0;
    state.repeat = 0;
    state.choice.pending = 0;
    state.message = 0;
    shake.reset();
    state.pictureChanged = 0;
    // 9, 10.
    setCalendar(state.scriptName);
    setLeadingRoute();
    return true;
}

void ScenarioEngine::setCalendar(std::string_view label) {
    const std::optional<ScriptDate> date = dateOfScript(label);
    if (!date)
        return;
    const int month = date->month;
    const int day = date->day;
    vars.set(var::kMonth, month);
    vars.set(var::kDay, day);
    if (month >= 2 && month <= 8)
        vars.set(var::kWeekday, (day + kWeekdayOffset[month - 2]) % 7);
}

void ScenarioEngine::setLeadingRoute() {
    int best = 0;
    int leader = 0;
    for (int i = 0; i < var::kRouteCount; ++i) {
        const int score = vars.get(var::kRouteScores + static_cast<uint32_t>(i));
        if (score > best) {
            best = score;
            leader = i;
        }
    }
    vars.set(var::kLeadingRoute, leader);
}

}  // namespace marlit
