// The one-line summary a save carries (the date of the story, or the title
// of an epilogue) and the text of its menu item.
#pragma once

#include <array>
#include <string>
#include <string_view>

namespace marlit {

// The titles a summary may name instead of the date (Shift-JIS): the
// epilogues of the 13 routes n, s, k, w, e, m, y, a, g, t, b, d, r and the
// game's own title for "all_end".
struct SaveTitles {
    static constexpr int kRoutes = 13;
    std::array<std::string, kRoutes> epilogues;
    std::string game;
};

// The scene labels of the routes' epilogues, in route order.
extern const std::array<std::string_view, SaveTitles::kRoutes> kEpilogueLabels;

// "2月26日(火)" (Shift-JIS) from the story's month, day and weekday (0-6 from
// Sunday), or the title the label names (the date when that title is
// empty). A weekday out of 0-6 gives "()".
std::string saveSummary(std::string_view label, int month, int day, int weekday,
                        const SaveTitles& titles);

// The menu item of a present slot: the date from its two-digit year on, then
// the summary: "05-03-05 21:07:33 -2月26日(火)-".
std::string saveMenuText(std::string_view date, std::string_view summary);

// The item of an empty slot, Shift-JIS "---- 未定義 ----".
std::string emptySlotText();

}  // namespace marlit
