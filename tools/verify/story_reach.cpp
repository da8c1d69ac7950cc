#include "tools/verify/story_reach.h"

#include <optional>

#include "player/scenario/script_names.h"
#include "player/screens/screen_tables.h"

namespace marlit {

namespace {

constexpr uint8_t kDayEndSelector = 4;
constexpr uint8_t kDayEnd = 27;
constexpr uint8_t kJump = '6';
// The day-end selector from which the day-change screen takes over.
constexpr int kFirstDayChangeSelector = 9;

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

struct Date {
    int month = 0;
    int day = 0;
};

// The date a script's name sets when it is loaded: "MMDD..." ; none for a
// name without one, which keeps the date of the script before.
std::optional<Date> dateOf(std::string_view label) {
    if (label.size() < 4 || !isDigit(label[0]) || !isDigit(label[1]) || !isDigit(label[2]) ||
        !isDigit(label[3]))
        return std::nullopt;
    return Date{(label[0] - '0') * 10 + (label[1] - '0'), (label[2] - '0') * 10 + (label[3] - '0')};
}

uint16_t wordOf(const MesScript& script, uint32_t at) {
    return static_cast<uint16_t>(script.byteAt(at + 1) + 256 * script.byteAt(at + 2));
}

}  // namespace

StoryReach::StoryReach(const std::map<std::string, MesScript>& scripts) {
    for (const auto& [label, script] : scripts)
        walk(label, script);
}

void StoryReach::walk(std::string_view label, const MesScript& script) {
    const std::optional<Date> date = dateOf(label);
    // The day card takes over from 7 March on.
    const bool beforeEnd = !date || date->month < 3 || (date->month == 3 && date->day <= 6);
    std::optional<int> selector;  // not known until the script sets it
    const uint32_t end = static_cast<uint32_t>(script.stream().size());
    for (uint32_t at = 0; at < end;) {
        auto next = script.nextCommand(at);
        if (!next)
            break;
        const uint8_t op = script.byteAt(at);
        if (op == kDayEndSelector) {
            selector = wordOf(script, at);
        } else if (op == kDayEnd && beforeEnd && !(selector == 1 && wordOf(script, at) == 1)) {
            const bool map = !selector || *selector < kFirstDayChangeSelector;
            const bool dayChange = !selector || *selector >= kFirstDayChangeSelector;
            // On a day outside the schedule the map keeps the pair of the
            // day before, which a script alone does not tell.
            const bool dayKnown = date.has_value();
            const bool mapDayKnown = dayKnown && ScreenTables::firstRowOfDay(date->day) >= 0;
            if (map && mapDayKnown)
                mapDays_.insert(date->day);
            else if (map)
                anyMap_ = true;
            if (dayChange && dayKnown)
                dayChangeDays_.insert(date->day);
            else if (dayChange)
                anyDayChange_ = true;
        } else if (op == kJump) {
            const int route = endingRouteOfJump(script.stringOperand(at));
            if (route >= 0)
                routes_.insert(route);
        }
        at = *next;
    }
}

bool StoryReach::reaches(const RowReach& row) const {
    switch (row.kind) {
        case RowReach::Kind::DayChange:
            return anyDayChange_ || dayChangeDays_.contains(row.value);
        case RowReach::Kind::Map:
            return anyMap_ || mapDays_.contains(row.value);
        case RowReach::Kind::Ending:
            return routes_.contains(row.value);
    }
    return true;
}

std::string StoryReach::whyNot(const RowReach& row) {
    const std::string value = std::to_string(row.value);
    switch (row.kind) {
        case RowReach::Kind::DayChange:
            return "no script ends day " + value + " on the day-change screen";
        case RowReach::Kind::Map:
            return "no script ends day " + value + " on the map";
        case RowReach::Kind::Ending:
            return "no script jumps to the ending of route " + value;
    }
    return {};
}

}  // namespace marlit
