// Command 27, the end of a day: up to 6 March the map or the day-change
// screen takes over; after it the day card shows the leading heroine with
// the date for three seconds (or until a click), and the script goes on
// after the next "`" command.
#include "player/core/mode_screen.h"
#include "player/scenario/command_handlers.h"
#include "player/scenario/scenario_engine.h"

namespace marlit {

namespace {

constexpr int kCardPicture = 10;
constexpr int kDatePicture = 11;
constexpr int kCardLayer = 24;
constexpr int kDateLayer = 20;
constexpr uint32_t kCardMs = 3001;
constexpr const char* kDateGlyphs = "AdvData\\grp\\system\\iday.rbp";

void showDayCard(ScenarioEngine& e) {
    e.services.sound.stopMusic();
    e.vars.set(var::kHalfDay, 1);
    if (e.state.windowShown)
        e.setWindowShown(false);
    const int heroine = e.vars.get(var::kCardHeroine);
    const ScenarioTables& tables = e.services.tables;
    const int y = tables.dayCardDateY(heroine);
    e.pictures.load(kCardPicture, tables.dayCardPicture(heroine));
    e.pictures.load(kDatePicture, kDateGlyphs, true);
    e.pictures.showWhole(10, kCardPicture, {0, 0}, kCardLayer);
    const int month = e.vars.get(var::kMonth);
    if (month == 0)
        return;
    const int day = e.vars.get(var::kDay);
    const int weekday = e.vars.get(var::kWeekday);
    auto cell = [&](int sprite, int sourceX, int width, int x) {
        e.pictures.show(sprite, kDatePicture, {sourceX, 0, width, 24}, {x, y}, kDateLayer);
    };
    cell(11, 16 * month, 16, 592);
    cell(12, 160, 16, 608);
    int x = 640;
    if (day >= 10) {
        cell(13, 16 * (day / 10), 16, 640);
        x = 656;
    }
    cell(14, 16 * (day % 10), 16, x);
    cell(15, 176, 16, x + 16);
    cell(16, 208 + 48 * weekday, 48, x + 32);
}

}  // namespace

StepResult dayEnd(ScenarioEngine& e, const Command& c) {
    ScenarioState& s = e.state;
    if (c.first) {
        e.petals.stop();
        e.caption.remove();
        const int month = e.vars.get(var::kMonth);
        const int day = e.vars.get(var::kDay);
        const bool beforeEnd = month < 3 || (month == 3 && day <= 6);
        const bool noDate = month == 0 && day == 0;
        if (beforeEnd && !noDate && !(s.dayEndSelector == 1 && c.w == 1)) {
            // A replayed scene ends where the story would go on to the map.
            if (s.sceneReplay) {
                s.mode = kModeSceneGallery;
                s.subState = kSceneReplayReturn;
                return StepResult::Yield;
            }
            e.Snapshot();
            s.subState = 0;
            s.mode = s.dayEndSelector < 9 ? kModeMap : kModeDayChange;
            return StepResult::Yield;
        }
        showDayCard(e);
        e.waitStart = e.now();
        return StepResult::Yield;
    }
    if (e.now() - e.waitStart < kCardMs && !e.clicked())
        return StepResult::Yield;
    e.clearClick();
    e.pictures.removeRange(10, 16);
    e.pictures.free(kCardPicture);
    e.pictures.free(kDatePicture);
    e.services.graphics.redrawScreen();
    ScriptFault why;
    auto after = e.script()->skipToOpcode('`', c.position, &why);
    if (!after) {
        e.fault(c.position, "no \"`\" command follows the day end (" + why.what + ")");
        return StepResult::Yield;
    }
    s.position = *after;
    return StepResult::Yield;
}

}  // namespace marlit
