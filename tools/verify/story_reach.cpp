#include "tools/verify/story_reach.h"

#include "base/sjis.h"
#include "formats/mes_jump_targets.h"
#include "player/scenario/scenario_vars.h"
#include "player/scenario/script_names.h"

namespace marlit {

namespace {

constexpr uint8_t kDayEndSelector = 4;
constexpr uint8_t kDayEnd = 27;
constexpr uint8_t kJump = '6';
constexpr uint8_t kVariable = 'X';
constexpr uint8_t kVariableCopy = 'Y';
// The day-end selector from which the day-change screen takes over.
constexpr int kFirstDayChangeSelector = 9;

uint16_t wordOf(const MesScript& script, uint32_t at) {
    return static_cast<uint16_t>(script.byteAt(at + 1) + 256 * script.byteAt(at + 2));
}

// The day of the month whose pair of map rows holds `row`; 0 for none.
int dayOfRow(int row) {
    for (int day = 1; day <= ScreenTables::kDays; ++day) {
        if (ScreenTables::firstRowOfDay(day) == row - row % 2)
            return day;
    }
    return 0;
}

}  // namespace

StoryReach::StoryReach(const std::map<std::string, MesScript>& scripts, const ScreenTables& tables)
    : tables_(tables) {
    for (const auto& [label, script] : scripts)
        walk(label, script);
    // A new game clears the half-day flag, and each map visit turns it
    // over: the first visit shows the second row of its day's pair. When
    // the story has one way to the map, which it passes at most once in a
    // game, and nothing else sets the flag, that is the only row it shows.
    if (mapEnds_.size() == 1 && !halfDayTouched_ && !anyMap_) {
        const auto& [label, day] = mapEnds_.front();
        const int first = ScreenTables::firstRowOfDay(day);
        if (first >= 0 && !returnsTo(label))
            onlyMapRow_ = first + 1;
    }
}

void StoryReach::walk(std::string_view label, const MesScript& script) {
    ScriptWalk& w = walks_[foldCase(label)];
    const std::optional<ScriptDate> date = dateOfScript(label);
    // The day card takes over from 7 March on.
    const bool beforeEnd = !date || date->month < 3 || (date->month == 3 && date->day <= 6);
    std::optional<int> selector;  // not known until the script sets it
    const uint32_t end = static_cast<uint32_t>(script.stream().size());
    for (uint32_t at = 0; at < end;) {
        auto next = script.nextCommand(at);
        if (!next) {
            // The rest cannot be read (the link check says so): it may end
            // any day on either screen, or jump to any ending.
            anyMap_ = anyDayChange_ = anyEnding_ = true;
            break;
        }
        const uint8_t op = script.byteAt(at);
        if (op == kDayEndSelector) {
            selector = wordOf(script, at);
        } else if (op == kDayEnd && beforeEnd) {
            if (selector == 1 && wordOf(script, at) == 1) {
                halfDayTouched_ = true;  // the day card, which sets the flag
            } else {
                const bool map = !selector || *selector < kFirstDayChangeSelector;
                const bool dayChange = !selector || *selector >= kFirstDayChangeSelector;
                // On a day outside the schedule the map keeps the pair of
                // the day before, which a script alone does not tell.
                const bool mapDayKnown = date && ScreenTables::firstRowOfDay(date->day) >= 0;
                if (map) {
                    w.toMap = true;
                    mapEnds_.emplace_back(foldCase(label), mapDayKnown ? date->day : 0);
                    if (mapDayKnown)
                        mapDays_.insert(date->day);
                    else
                        anyMap_ = true;
                }
                if (dayChange) {
                    w.toDayChange = true;
                    if (date)
                        dayChangeDays_.insert(date->day);
                    else
                        anyDayChange_ = true;
                }
            }
        } else if (op == kVariable || op == kVariableCopy) {
            const uint32_t target = uint32_t{script.quadWord(at, 0)} * 256 + script.quadWord(at, 1);
            if (target == var::kHalfDay)
                halfDayTouched_ = true;
        } else if (op == kJump) {
            const std::string_view target = script.stringOperand(at);
            const int route = endingRouteOfJump(target);
            if (route >= 0) {
                routes_.insert(route);
                w.routes.insert(route);
            } else {
                w.jumps.push_back(foldCase(target));
            }
        }
        at = *next;
    }
}

bool StoryReach::returnsTo(const std::string& label) const {
    std::set<std::string> seen;
    std::vector<std::string> todo = {label};
    bool first = true;
    while (!todo.empty()) {
        const std::string at = todo.back();
        todo.pop_back();
        if (!first && at == label)
            return true;
        if (!first && !seen.insert(at).second)
            continue;
        first = false;
        const auto it = walks_.find(at);
        if (it == walks_.end())
            continue;
        const ScriptWalk& w = it->second;
        todo.insert(todo.end(), w.jumps.begin(), w.jumps.end());
        if (w.toMap) {
            for (const auto& row : tables_.schedule) {
                for (const ScheduleCell& cell : row)
                    todo.push_back(foldCase(cell.script));
            }
        }
        if (w.toDayChange) {
            for (const std::string& script : tables_.dayScripts)
                todo.push_back(foldCase(script));
        }
        for (int route : w.routes)
            todo.push_back(foldCase(tables_.followUps[static_cast<size_t>(route)]));
    }
    return false;
}

bool StoryReach::reaches(const RowReach& row) const {
    switch (row.kind) {
        case RowReach::Kind::DayChange:
            return anyDayChange_ || dayChangeDays_.contains(row.value);
        case RowReach::Kind::Map:
            if (onlyMapRow_)
                return row.value == *onlyMapRow_;
            return anyMap_ || mapDays_.contains(dayOfRow(row.value));
        case RowReach::Kind::Ending:
            return anyEnding_ || routes_.contains(row.value);
    }
    return true;
}

std::string StoryReach::whyNot(const RowReach& row) const {
    const std::string value = std::to_string(row.value);
    switch (row.kind) {
        case RowReach::Kind::DayChange:
            return "no script ends day " + value + " on the day-change screen";
        case RowReach::Kind::Map:
            if (onlyMapRow_) {
                return "the story comes to the map once in a game, on day " +
                       std::to_string(dayOfRow(*onlyMapRow_)) + ", which shows row " +
                       std::to_string(*onlyMapRow_);
            }
            return "no script ends day " + std::to_string(dayOfRow(row.value)) + " on the map";
        case RowReach::Kind::Ending:
            return "no script jumps to the ending of route " + value;
    }
    return {};
}

}  // namespace marlit
