// Which rows of the day-end and ending tables a data set's scripts lead to.
// The shipped tables serve a whole game; a data set of another story (the
// sample game, a modder's own) reaches only some of their rows, and a
// missing script of a row it never reaches breaks nothing. A row is taken
// as reached unless no script can lead there:
// - the day-change screen's row of a day, when a script of that day (the
//   date its name sets) ends the day there;
// - the map's pair of rows of a day, when a script of that day ends the day
//   on the map;
// - a route's follow-up script, when a script jumps to the route's ending.
// A day end whose screen or day is not known from its own script (the
// selector set elsewhere, a name without a date) counts for every day.
#pragma once

#include <map>
#include <set>
#include <string>

#include "formats/mes_script.h"

namespace marlit {

// A table row that only some stories reach.
struct RowReach {
    enum class Kind { DayChange, Map, Ending };
    Kind kind = Kind::DayChange;
    int value = 0;  // the day of the month, or the route
};

class StoryReach {
  public:
    explicit StoryReach(const std::map<std::string, MesScript>& scripts);

    bool reaches(const RowReach& row) const;
    // Why a row is not reached, for a note: "no script ends day 25 on the
    // day-change screen".
    static std::string whyNot(const RowReach& row);

  private:
    void walk(std::string_view label, const MesScript& script);

    std::set<int> dayChangeDays_;
    std::set<int> mapDays_;
    bool anyDayChange_ = false;
    bool anyMap_ = false;
    std::set<int> routes_;
};

}  // namespace marlit
