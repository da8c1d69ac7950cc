#include "player/shell/framing_screens.h"

#include "base/files.h"
#include "player/scenario/scenario_engine.h"
#include "player/screens/game_movie.h"
#include "player/screens/logo_screen.h"
#include "player/screens/title_screen.h"
#include "player/shell/game_context.h"
#include "player/shell/overlay_menu.h"
#include "player/shell/route_screens.h"

namespace marlit {

namespace {
constexpr const char* kOpeningMovie = "OP.jmv";

}  // namespace

std::vector<std::string> titleVoicePatterns(GameContext& ctx) {
    std::vector<std::string> warnings;
    std::vector<std::string> rows = readTitleVoices(titleVoiceFile(ctx.tableFolders()), warnings);
    for (const std::string& w : warnings)
        ctx.report(w);
    return rows;
}

ScreenServices screenServicesOf(GameContext& ctx) {
    return {*ctx.graphics,
            *ctx.sound,
            ctx.settings,
            ctx.input,
            ctx.random,
            ctx.platform.localTime,
            ctx.brightness,
            ctx.scenario,
            [&ctx](const std::string& text) { ctx.report(text); },
            [&ctx](uint32_t ms) { ctx.frameTimer.setInterval(ms); }};
}

void registerFramingScreens(GameContext& ctx) {
    ctx.titleVoices =
        std::make_unique<TitleVoices>(*ctx.sound, ctx.random, titleVoicePatterns(ctx));
    const ScreenServices services = screenServicesOf(ctx);
    ctx.modes.set(kModeOpening, std::make_unique<LogoScreen>(services, *ctx.titleVoices));

    TitleHooks hooks;
    hooks.startOpeningMovie = [&ctx] {
        if (!fileExists(ctx.paths.movieFolder + kOpeningMovie))
            return false;
        return ctx.movies->start(ctx.paths.movieFolder, kOpeningMovie);
    };
    hooks.modeAvailable = [&ctx](int mode) { return ctx.modes.get(mode) != nullptr; };
    hooks.openMenu = [&ctx] {
        if (ctx.overlayMenu && !ctx.overlayMenu->isOpen())
            ctx.overlayMenu->open(ctx);
    };
    hooks.enableSaveItems = [&ctx](bool on) { ctx.enableSaveItems(on); };
    auto title = std::make_unique<TitleScreen>(services, *ctx.scenarioEngine, *ctx.titleVoices,
                                               std::move(hooks));
    ctx.titleScreen = title.get();
    ctx.modes.set(kModeTitle, std::move(title));
    registerRouteScreens(ctx, services);
}

}  // namespace marlit
