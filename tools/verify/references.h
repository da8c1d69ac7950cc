// What a data set's scripts and game tables name: pictures of the picture
// pack, music and effect files, voices of the voice pack, each with where
// it is named, so that a missing one can be shown to whoever wrote it.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "formats/mes_script.h"
#include "player/scenario/scenario_tables.h"
#include "player/screens/extras_tables.h"
#include "player/screens/screen_tables.h"
#include "tools/verify/story_reach.h"

namespace marlit {

enum class ResourceKind { Picture, Music, Effect, Voice, Script };

struct Reference {
    ResourceKind kind = ResourceKind::Picture;
    std::string name;   // as the player looks it up (a pack entry, a file name)
    std::string where;  // "SCRIPT at position N" or "FILE:LINE" or "FILE"
    // A table row's key, compared with what is shown rather than loaded (the
    // manner list, the place table): when it is missing the row never
    // matches, which is worth knowing but breaks nothing.
    bool lookup = false;
    // A row of the day-end and ending tables that only some stories reach.
    std::optional<RowReach> reach = std::nullopt;
};

const char* kindName(ResourceKind kind);

// The pictures, music, effects and voices the commands of a script name,
// in stream order. A command that cannot be read ends the walk (the link
// check reports it).
std::vector<Reference> scriptReferences(std::string_view label, const MesScript& script);

// The pictures the scenario's tables name (manner list, place table, day
// card), with the table file as where.
std::vector<Reference> scenarioTableReferences(const ScenarioTables& tables);

// The voices of the title's patterns, every situation of every row.
std::vector<Reference> titleVoiceReferences(const std::vector<std::string>& patterns,
                                            std::string_view file);

// The scripts, voices and pictures of the map, day-change and ending
// tables.
std::vector<Reference> screenTableReferences(const ScreenTables& tables);

// The pictures and scripts of the picture and scene galleries.
std::vector<Reference> extrasTableReferences(const ExtrasTables& tables);

}  // namespace marlit
