#include "player/shell/menu_setup.h"

#include "platform/key_codes.h"
#include "player/persist/key_config.h"
#include "player/persist/save_slots.h"
#include "player/scenario/scenario_engine.h"
#include "player/shell/game_context.h"
#include "player/shell/overlay_menu.h"

namespace marlit {

namespace {

// The modes of a story that a save can hold: the scenario, and the map and
// day-change screens between its days.
bool storyMode(int mode) {
    return mode == kModeScenario || mode == kModeMap || mode == kModeDayChange;
}

}  // namespace

void installOverlayMenu(GameContext& ctx) {
    MenuServices services{ctx.screen,
                          *ctx.display,
                          ctx.platform.glyphs,
                          ctx.platform.localTime,
                          ctx.platform.power,
                          ctx.platform.events,
                          ctx.input,
                          ctx.settings,
                          ctx.keyMap,
                          ctx.geometry,
                          [&ctx] { return storyMode(ctx.scenario.mode); }};
    MenuCommandServices commands{ctx.settings,
                                 ctx.input,
                                 *ctx.sound,
                                 *ctx.graphics,
                                 *ctx.scenarioEngine,
                                 [&ctx] { return ctx.messageWindow.get(); },
                                 [&ctx] { return ctx.saveSlots.get(); },
                                 [&ctx] {
                                     ctx.platform.events.post(Event{EventType::Close, 0, 0, 0});
                                 },
                                 [&ctx] {
                                     if (ctx.display)
                                         ctx.display->movie.reset();
                                 },
                                 [&ctx] {
                                     if (ctx.menu())
                                         ctx.menu()->enableSaveItems(true);
                                 }};
    auto menu = std::make_unique<OverlayMenu>(std::move(services), std::move(commands));
    menu->showSettings();
    const KeyBindings device = KeyBindings::fromDevice(ctx.keyList, kKeyCodeMenu);
    menu->setKeys(device, device);
    ctx.overlayMenu = std::move(menu);
}

void readMenuKeys(GameContext& ctx) {
    if (!ctx.menu())
        return;
    const KeyBindings device = KeyBindings::fromDevice(ctx.keyList, kKeyCodeMenu);
    KeyBindings keys = device;
    std::string why;
    if (!readKeyBindings(ctx.config, ctx.configPath, keys, &why)) {
        ctx.report(ctx.configPath + ": " + why +
                   "; the device's keys are used (mend the line, or choose the keys again in "
                   "the menu's key settings)");
    }
    ctx.menu()->setKeys(keys, device);
}

}  // namespace marlit
