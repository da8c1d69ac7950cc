#include "player/persist/save_summary.h"

#include "base/encoding.h"
#include "base/sjis.h"

namespace marlit {

const std::array<std::string_view, SaveTitles::kRoutes> kEpilogueLabels = {
    "0429a_ned2", "0505a_sed", "0506c_k01", "0410a_w01", "0510c_e01", "0318a_m02", "05--a_y01",
    "0415a_a01",  "0609a_g01", "0512a_t01", "0513a_b01", "0616a_d01", "0315a_r07"};

namespace {

std::string sjis(std::string_view utf8) {
    return utf8ToSjis(utf8).value_or(std::string());
}

}  // namespace

std::string saveSummary(std::string_view label, int month, int day, int weekday,
                        const SaveTitles& titles) {
    // A title the data set does not give leaves the date.
    for (int r = 0; r < SaveTitles::kRoutes; ++r) {
        const std::string& title = titles.epilogues[static_cast<size_t>(r)];
        if (sameText(label, kEpilogueLabels[static_cast<size_t>(r)]) && !title.empty())
            return title;
    }
    if (sameText(label, "all_end") && !titles.game.empty())
        return titles.game;
    static constexpr std::array<std::string_view, 7> kWeekdays = {"日", "月", "火", "水",
                                                                  "木", "金", "土"};
    const std::string_view name =
        weekday >= 0 && weekday < 7 ? kWeekdays[static_cast<size_t>(weekday)] : "";
    return sjis(std::to_string(month) + "月" + std::to_string(day) + "日(" + std::string(name) +
                ")");
}

std::string saveMenuText(std::string_view date, std::string_view summary) {
    const std::string_view from = date.size() > 2 ? date.substr(2) : std::string_view();
    return std::string(from) + " -" + std::string(summary) + "-";
}

std::string emptySlotText() {
    return sjis("---- 未定義 ----");
}

}  // namespace marlit
