#include "player/shell/startup.h"

#include <ctime>
#include <memory>

#include "base/atomic_file.h"
#include "base/files.h"
#include "player/graphics/graphics_ops.h"
#include "player/persist/data_path.h"
#include "player/persist/player_logs.h"
#include "player/persist/save_slots.h"
#include "player/persist/save_titles_table.h"
#include "player/persist/settings_file.h"
#include "player/scenario/scenario_engine.h"
#include "player/scenario/scenario_tables.h"
#include "player/shell/frame_tick.h"
#include "player/shell/menu_setup.h"
#include "player/shell/overlay_menu.h"

namespace marlit {

namespace {

constexpr uint32_t kFrameInterval = 16;
constexpr int kPlacePictureSlot = 65;
constexpr const char* kPlacePicture = "AdvData\\grp\\system\\place.rbp";

// The slots, the system record and the logs of the save folder.
void openSaveFolder(GameContext& ctx) {
    ScenarioEngine& engine = *ctx.scenarioEngine;
    auto report = [&ctx](const std::string& text) { ctx.report(text); };
    const std::string folder = hostPath(ctx.paths.saveFolder);
    ctx.playerLogs =
        std::make_unique<PlayerLogs>(folder, engine.readLog, engine.seen, engine.vars, report);
    TableReport tables;
    SaveTitles titles = loadSaveTitles(ctx.tableFolders(), tables);
    for (const std::string& w : tables.warnings)
        ctx.report(w);
    ctx.saveSlots = std::make_unique<SaveSlots>(
        SaveSlots::Services{engine, *ctx.playerLogs, folder, ctx.geometry.vga(), std::move(titles),
                            [] {
                                const std::time_t now = std::time(nullptr);
                                std::tm local{};
                                localtime_r(&now, &local);
                                return local;
                            },
                            report});
    ctx.saveSlots->listed = [&ctx] {
        if (OverlayMenu* menu = ctx.menu())
            menu->showSlots(ctx.saveSlots->items());
    };
    ctx.saveSlots->ListSlots();
    engine.quickSave = [&ctx] { return ctx.saveSlots->quickSave(); };
    engine.quickLoad = [&ctx] { return ctx.saveSlots->quickLoad(); };
    engine.writeLogs = [&ctx] { ctx.playerLogs->WriteLogs(); };
    ctx.playerLogs->LoadSystem();
    ctx.playerLogs->ReadLogs();
}

// marlitpc.cfg in the program folder: the data places, the game tables
// and the place-name picture from the pack they name, then the settings.
void readConfiguration(GameContext& ctx) {
    ctx.configPath = configFilePath(ctx.programFolder);
    const std::string defaultPack = ctx.paths.picturePack;
    readDataPaths(ctx.config, ctx.configPath, ctx.programFolder, ctx.geometry.vga(), ctx.paths);
    if (ctx.paths.picturePack != defaultPack)
        ctx.loadTables();
    settleSaveFolder(ctx.paths, ctx.programFolder,
                     [&ctx](const std::string& text) { ctx.report(text); });
    // A missing picture leaves the slot empty, as for every picture.
    ctx.graphics->loadPicture(kPlacePictureSlot, kPlacePicture, false);
    seedInstalledSettings(ctx.config, ctx.configPath);
    ReadSettings(ctx.config, ctx.configPath, ctx.settings, [&ctx](const ConfigKey& key) {
        if (ctx.menu())
            ctx.menu()->settingApplied(key);
    });
    readMenuKeys(ctx);
    if (ctx.config.readFromBackup()) {
        ctx.report(ctx.configPath + " was missing or damaged; its backup " +
                   backupPathOf(ctx.configPath) + " was read instead");
    }
    openSaveFolder(ctx);
}

// Game initialisation, the last step before the loop.
void initialiseGame(GameContext& ctx) {
    ctx.frameTimer.start(kFrameInterval);
    ctx.dirtyRects->setBounds(ctx.display->width(), ctx.display->height());
    readConfiguration(ctx);
    ctx.sound->applySettings();
}

}  // namespace

int runPlayer(Platform& platform, const PlayerOptions& options) {
    DisplayDevice& device = platform.display;
    if (device.raiseRunningCopy(kProductCaption))
        return 0;

    auto ctx = std::make_unique<GameContext>(platform, options);
    if (!device.createWindow(ctx->title))
        return 0;
    ctx->title = kProductCaption;
    device.setTitle(ctx->title);
    if (!device.setFullScreen()) {
        platform.messageBox.show(kFullScreenFailedText, kErrorCaption);
        return 0;
    }
    if (!device.openDisplay()) {
        platform.messageBox.show(kDisplayFailedText, kErrorCaption);
        return 0;
    }
    device.openInput();
    ctx->display->properties = ctx->screen.readProperties();
    // The MP3 decoder needs no loading: it is linked in and set up at its
    // first use. The configuration file is read by the game initialisation.
    device.showWindow();
    initialiseGame(*ctx);
    if (options.atStart)
        options.atStart(*ctx);

    int code = runMessageLoop(*ctx);
    if (options.atEnd)
        options.atEnd(*ctx);

    device.closeInput();
    device.closeDisplay();
    // What is still cached (nothing once the window's end wrote it).
    ctx->config.Flush();
    ctx.reset();
    return code;
}

}  // namespace marlit
