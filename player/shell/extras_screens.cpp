#include "player/shell/extras_screens.h"

#include "player/scenario/scenario_engine.h"
#include "player/screens/extras_tables.h"
#include "player/screens/music_room_screen.h"
#include "player/screens/picture_gallery_screen.h"
#include "player/screens/scene_gallery_screen.h"
#include "player/shell/framing_screens.h"
#include "player/shell/game_context.h"

namespace marlit {

void registerExtrasScreens(GameContext& ctx, std::function<void(bool)> enableSaveItems) {
    // The galleries' tables are read from the data set's folder (beside
    // the picture pack the configuration names) before the program's, each
    // time a gallery opens.
    auto tables = [&ctx] {
        return ExtrasTableSource([&ctx] { return ctx.tableFolders(); },
                                 [&ctx](const std::string& text) { ctx.report(text); });
    };
    const ScreenServices services = screenServicesOf(ctx);
    ScenarioEngine& story = *ctx.scenarioEngine;
    ctx.modes.set(kModeMusicRoom, std::make_unique<MusicRoomScreen>(services, story));
    ctx.modes.set(kModeGallery, std::make_unique<PictureGalleryScreen>(services, story, tables()));
    ExtrasHooks hooks;
    hooks.enableSaveItems = std::move(enableSaveItems);
    ctx.modes.set(kModeSceneGallery, std::make_unique<SceneGalleryScreen>(services, story, tables(),
                                                                          std::move(hooks)));
}

}  // namespace marlit
