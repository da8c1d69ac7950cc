#include "apps/marlit/movie_run.h"

#include <filesystem>

#include "apps/marlit/program_folder.h"
#include "base/encoding.h"
#include "player/screens/game_movie.h"
#include "player/shell/game_context.h"

namespace marlit::app {

void MovieRun::end(GameContext& ctx) {
    ending_ = true;
    ctx.platform.events.post(Event{EventType::Close, 0, 0, 0});
}

void MovieRun::afterTick(GameContext& ctx) {
    if (!active() || ending_)
        return;
    if (started_) {
        if (!ctx.moviePlaying())
            end(ctx);
        return;
    }
    started_ = true;
    const std::filesystem::path file(path_);
    std::error_code ec;
    if (!std::filesystem::is_regular_file(file, ec)) {
        error_ = path_ + ": no such movie file";
        end(ctx);
        return;
    }
    std::string problem;
    auto folder =
        systemFolder(std::filesystem::absolute(file, ec).parent_path().string(), &problem);
    auto name = utf8ToSjis(file.filename().string());
    if (!folder || !name) {
        error_ = path_ + ": " + (folder ? "the name has no Shift-JIS spelling" : problem);
        end(ctx);
        return;
    }
    if (!ctx.movies->start(*folder, *name)) {
        error_ = path_ + ": not a movie the player can show (see the message above)";
        ctx.display->movie.reset();
        end(ctx);
    }
}

}  // namespace marlit::app
