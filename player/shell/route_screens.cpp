#include "player/shell/route_screens.h"

#include <memory>

#include "player/persist/player_logs.h"
#include "player/scenario/scenario_engine.h"
#include "player/scenario/scenario_tables.h"
#include "player/screens/day_change_screen.h"
#include "player/screens/ending_screens.h"
#include "player/screens/map_screen.h"
#include "player/shell/game_context.h"

namespace marlit {

ScreenTables readScreenTables(GameContext& ctx) {
    TableReport report;
    ScreenTables tables = loadScreenTables(ctx.tableFolders(), report);
    for (const std::string& warning : report.warnings)
        ctx.report(warning);
    return tables;
}

void registerRouteScreens(GameContext& ctx, const ScreenServices& services) {
    ctx.screenTables = std::make_unique<ScreenTables>(readScreenTables(ctx));
    const ScreenTables& tables = *ctx.screenTables;
    ScenarioEngine& story = *ctx.scenarioEngine;

    auto map = std::make_unique<MapScreen>(story, services, tables);
    ctx.mapScreen = map.get();
    ctx.modes.set(kModeMap, std::move(map));
    ctx.modes.set(kModeDayChange, std::make_unique<DayChangeScreen>(story, services, tables));

    EndingHooks hooks;
    // The logs are made once the configuration has said where the save
    // folder is, after the screens.
    hooks.saveSystemRecord = [&ctx] {
        if (ctx.playerLogs)
            ctx.playerLogs->SaveSystem();
    };
    hooks.enableSaveItems = [&ctx](bool on) { ctx.enableSaveItems(on); };
    ctx.modes.set(kModeEnding, std::make_unique<EndingScreen>(story, services, tables, hooks));
    ctx.modes.set(kModeStaffRoll, std::make_unique<StaffRollScreen>(story, services, hooks));
}

}  // namespace marlit
