// Which rows of the day-end and ending tables a data set's scripts lead to.
// The shipped tables serve a whole game; a data set of another story (the
// sample game, a modder's own) reaches only some of their rows, and a
// missing script of a row it never reaches breaks nothing. A row is taken
// as reached unless no script can lead there:
// - the day-change screen's row of a day, when a script of that day (the
//   date its name sets) ends the day there;
// - the map's pair of rows of a day, when a script of that day ends the day
//   on the map; and only the second row of the pair when that day end is
//   the story's one way to the map and runs at most once in a game (the
//   first visit of a game shows the second row: see below);
// - a route's follow-up script, when a script jumps to the route's ending.
// A day end whose screen or day is not known from its own script (the
// selector set elsewhere, a name without a date) counts for every day, and
// a script that cannot be read to its end may lead anywhere.
#pragma once

#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "formats/mes_script.h"
#include "player/screens/screen_tables.h"

namespace marlit {

// A table row that only some stories reach.
struct RowReach {
    enum class Kind { DayChange, Map, Ending };
    Kind kind = Kind::DayChange;
    int value = 0;  // the day of the month, the map's schedule row, or the route
};

class StoryReach {
  public:
    StoryReach(const std::map<std::string, MesScript>& scripts, const ScreenTables& tables);

    bool reaches(const RowReach& row) const;
    // Why a row is not reached, for a note: "no script ends day 25 on the
    // day-change screen".
    std::string whyNot(const RowReach& row) const;

  private:
    struct ScriptWalk {
        std::vector<std::string> jumps;  // folded labels of "6" targets
        std::set<int> routes;            // endings jumped to
        bool toMap = false;
        bool toDayChange = false;
    };
    void walk(std::string_view label, const MesScript& script);
    // Whether the story can come back to the script `label` once it has
    // left it: jumps, the map's and the day change's scripts, the endings'
    // follow-ups.
    bool returnsTo(const std::string& label) const;

    const ScreenTables& tables_;
    std::map<std::string, ScriptWalk> walks_;  // by folded label
    std::set<int> dayChangeDays_;
    std::set<int> mapDays_;
    bool anyDayChange_ = false;
    bool anyMap_ = false;
    bool anyEnding_ = false;
    std::set<int> routes_;
    // The story's map visits: each day end that may open the map, by the
    // folded label of its script and its day (0 when not known).
    std::vector<std::pair<std::string, int>> mapEnds_;
    // Something else sets the half-day flag: a script writes it, or a day
    // end shows the day card before the map's days are over.
    bool halfDayTouched_ = false;
    // The one row of the map a story with a single visit shows.
    std::optional<int> onlyMapRow_;
};

}  // namespace marlit
