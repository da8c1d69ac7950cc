#include "apps/marlit/scenario_run.h"

#include <cerrno>
#include <cstring>
#include <fstream>

#include "base/encoding.h"
#include "player/scenario/scenario_engine.h"
#include "player/scenario/scenario_report.h"
#include "player/screens/map_screen.h"
#include "player/screens/music_room_screen.h"
#include "player/screens/picture_gallery_screen.h"
#include "player/screens/scene_gallery_screen.h"
#include "player/screens/title_screen.h"
#include "player/shell/game_context.h"

namespace marlit::app {

namespace {

// The extra screen in play, if one is: its cursor, character tab, page,
// picture shown and piece chosen, as they apply.
std::string withExtras(GameContext& ctx, std::string json) {
    const int mode = ctx.scenario.mode;
    const auto* screen = dynamic_cast<const ExtrasScreen*>(ctx.modes.get(mode));
    if (!screen || json.size() < 2 || json.back() != '}')
        return json;
    std::string extras = "\"extras\":{\"mode\":" + std::to_string(mode) +
                         ",\"cursor\":" + std::to_string(screen->cursor());
    const auto add = [&extras](const char* key, int value) {
        extras += ",\"" + std::string(key) + "\":" + std::to_string(value);
    };
    if (const auto* g = dynamic_cast<const PictureGalleryScreen*>(screen)) {
        add("character", g->character());
        add("page", g->page());
        add("picture", g->pictureNumber());
    } else if (const auto* sc = dynamic_cast<const SceneGalleryScreen*>(screen)) {
        add("character", sc->character());
        add("page", sc->page());
    } else if (const auto* m = dynamic_cast<const MusicRoomScreen*>(screen)) {
        add("page", m->page());
        add("chosen", m->chosen());
    }
    json.pop_back();
    return json + "," + extras + "}}";
}

}  // namespace

ScenarioRun::~ScenarioRun() {
    if (trace_)
        std::fclose(trace_);
    if (textLog_)
        std::fclose(textLog_);
}

void ScenarioRun::atStart(GameContext& ctx) {
    ScenarioEngine& engine = *ctx.scenarioEngine;
    if (!traceFile_.empty()) {
        trace_ = std::fopen(traceFile_.c_str(), "w");
        if (!trace_) {
            error_ = traceFile_ + ": cannot write the trace (" + std::strerror(errno) + ")";
            ctx.platform.events.post(Event{EventType::Close, 0, 0, 0});
            return;
        }
        engine.trace = [this](const TraceEntry& entry) {
            const std::string line = traceLine(entry) + "\n";
            std::fputs(line.c_str(), trace_);
        };
    }
    if (!textLogFile_.empty()) {
        textLog_ = std::fopen(textLogFile_.c_str(), "a");
        if (!textLog_) {
            error_ = textLogFile_ + ": cannot append the text log (" + std::strerror(errno) + ")";
            ctx.platform.events.post(Event{EventType::Close, 0, 0, 0});
            return;
        }
        // Flushed line by line, so a reader at the end of a FIFO sees each
        // message as it comes.
        engine.textLog = [this](const std::string& line) {
            std::fputs((line + "\n").c_str(), textLog_);
            std::fflush(textLog_);
        };
    }
    if (label_.empty())
        return;
    auto label = utf8ToSjis(label_);
    if (!label) {
        error_ = "--script " + label_ + ": the label has no Shift-JIS spelling";
        ctx.platform.events.post(Event{EventType::Close, 0, 0, 0});
        return;
    }
    engine.StartNewGame();
    if (!engine.LoadScript(*label)) {
        error_ = "--script " + label_ + ": " + engine.loadError();
        engine.ReturnToTitle();
        ctx.platform.events.post(Event{EventType::Close, 0, 0, 0});
    }
}

void ScenarioRun::afterTick(GameContext& ctx) {
    if (!trace_ || ctx.scenario.mode == tracedMode_)
        return;
    tracedMode_ = ctx.scenario.mode;
    const std::string line =
        std::to_string(ctx.framesRun) + " mode " + std::to_string(tracedMode_) + "\n";
    std::fputs(line.c_str(), trace_);
}

void ScenarioRun::atEnd(GameContext& ctx) {
    if (trace_) {
        std::fclose(trace_);
        trace_ = nullptr;
        ctx.scenarioEngine->trace = nullptr;
    }
    if (textLog_) {
        std::fclose(textLog_);
        textLog_ = nullptr;
        ctx.scenarioEngine->textLog = nullptr;
    }
    if (dumpFile_.empty())
        return;
    std::string json = scenarioStateJson(*ctx.scenarioEngine, ctx.framesRun);
    // The title's menu beside the scenario's state.
    if (ctx.titleScreen && json.size() > 2 && json.back() == '}') {
        const TitleScreen& t = *ctx.titleScreen;
        json.pop_back();
        json += ",\"title\":{\"menu\":" + std::to_string(t.menu()) +
                ",\"selection\":" + std::to_string(t.selection()) +
                ",\"completed\":" + (t.completed() ? "true" : "false") + "}}";
    }
    // The map's half-day, schedule row, map and selection.
    if (ctx.mapScreen && json.size() > 2 && json.back() == '}') {
        const MapScreen& m = *ctx.mapScreen;
        json.pop_back();
        json += ",\"map\":{\"half_day\":" + std::to_string(m.halfDay()) +
                ",\"row\":" + std::to_string(m.row()) +
                ",\"variant\":" + std::to_string(m.variant()) +
                ",\"selection\":" + std::to_string(m.selection()) + "}}";
    }
    json = withExtras(ctx, std::move(json));
    json += "\n";
    std::ofstream out(dumpFile_, std::ios::binary);
    out << json;
    out.close();
    if (!out && error_.empty())
        error_ = dumpFile_ + ": cannot write the state";
}

}  // namespace marlit::app
