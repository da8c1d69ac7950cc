// Which table rows a data set's story leads to: the day change and the map
// of the days its scripts end there, the one map row of a story that passes
// the map once, and the endings it jumps to; and the cases where a look at
// the scripts cannot narrow it down.
#include "tools/verify/story_reach.h"

#include <gtest/gtest.h>

#include "tools/mes/mes_text_form.h"

namespace marlit {
namespace {

using Kind = RowReach::Kind;

std::map<std::string, MesScript> storyOf(const std::map<std::string, std::string>& texts) {
    std::map<std::string, MesScript> out;
    for (const auto& [label, body] : texts) {
        AssemblyError why;
        auto bytes = assembleScript("header 0\n" + body, &why);
        EXPECT_TRUE(bytes) << label << " line " << why.line << ": " << why.what;
        out.emplace(label, *MesScript::parse(bytes.value_or(std::vector<uint8_t>{0, 0, 0, 0})));
    }
    return out;
}

// The map of 25 February leads to "0225c_x01" from either row.
ScreenTables tables() {
    ScreenTables t;
    for (auto& cell : t.schedule[0])
        cell.script = "0225b_x01";
    for (auto& cell : t.schedule[1])
        cell.script = "0225c_x01";
    t.followUps[0] = "0310a_ned";
    return t;
}

const std::map<std::string, std::string> kSampleLike = {
    {"0224a_f01", "day_end_selector 9\nday_end 0\n"},
    {"0224d_f02", "jump \"0225a_f01\"\n"},
    {"0225a_f01", "day_end_selector 0\nday_end 0\n"},
    {"0225c_x01", "jump \"0307a_f01\"\n"},
    {"0307a_f01", "day_end 0\ndate_card_end 0 0 0 0\njump \"roll_n\"\n"},
    {"0310a_ned", "jump \"staff\"\n"},
};

TEST(StoryReach, AStoryThatPassesTheMapOnceReachesOneRowOfItsDay) {
    const auto story = storyOf(kSampleLike);
    const ScreenTables t = tables();
    const StoryReach reach(story, t);
    EXPECT_TRUE(reach.reaches({Kind::DayChange, 24}));
    EXPECT_FALSE(reach.reaches({Kind::DayChange, 25}));
    EXPECT_EQ(reach.whyNot({Kind::DayChange, 25}),
              "no script ends day 25 on the day-change screen");
    // A new game's first map visit shows the second row of the pair.
    EXPECT_TRUE(reach.reaches({Kind::Map, 1}));
    EXPECT_FALSE(reach.reaches({Kind::Map, 0}));
    EXPECT_EQ(reach.whyNot({Kind::Map, 0}),
              "the story comes to the map once in a game, on day 25, which shows row 1");
    EXPECT_FALSE(reach.reaches({Kind::Map, 2})) << "26 February";
    // 7 March ends its day on the day card, not the map; route 0 is jumped to.
    EXPECT_TRUE(reach.reaches({Kind::Ending, 0}));
    EXPECT_FALSE(reach.reaches({Kind::Ending, 1}));
}

TEST(StoryReach, BothRowsOfADayStayWhenTheScriptsCannotTellWhichShows) {
    const ScreenTables t = tables();
    const auto bothRows = [&t](std::map<std::string, std::string> texts) {
        const auto story = storyOf(texts);
        const StoryReach reach(story, t);
        return reach.reaches({Kind::Map, 0}) && reach.reaches({Kind::Map, 1});
    };
    EXPECT_FALSE(bothRows(kSampleLike));
    // The map's scene leads back to the script that ends the day on it.
    auto again = kSampleLike;
    again["0225c_x01"] = "jump \"0225a_f01\"\n";
    EXPECT_TRUE(bothRows(again));
    // A second way to the map.
    auto twice = kSampleLike;
    twice["0225c_x01"] = "day_end_selector 0\nday_end 0\njump \"0307a_f01\"\n";
    EXPECT_TRUE(bothRows(twice));
    // A script sets the half-day flag (9, 3).
    auto written = kSampleLike;
    written["0224d_f02"] = "var 9 3 1 0\njump \"0225a_f01\"\n";
    EXPECT_TRUE(bothRows(written));
    // The day card before the map's days are over sets it too.
    auto card = kSampleLike;
    card["0224d_f02"] = "day_end_selector 1\nday_end 1\njump \"0225a_f01\"\n";
    EXPECT_TRUE(bothRows(card));
}

TEST(StoryReach, ADayEndWhoseScreenOrDayIsNotKnownCountsForEveryDay) {
    const ScreenTables t = tables();
    // No selector in its own script, and a name without a date.
    const auto story = storyOf({{"start", "day_end 0\n"}});
    const StoryReach reach(story, t);
    for (int row : {0, 1, 2, 19})
        EXPECT_TRUE(reach.reaches({Kind::Map, row})) << row;
    for (int day : {1, 24, 25, 31})
        EXPECT_TRUE(reach.reaches({Kind::DayChange, day})) << day;
    EXPECT_FALSE(reach.reaches({Kind::Ending, 0}));
}

TEST(StoryReach, AScriptThatCannotBeReadToItsEndMayLeadAnywhere) {
    const ScreenTables t = tables();
    auto story = storyOf(kSampleLike);
    // 0225a_f01 cut off in its day end: its two bytes of operand are gone.
    const auto whole = story.at("0225a_f01").fileBytes();
    std::vector<uint8_t> bytes(whole.begin(), whole.end() - 2);
    story.erase("0225a_f01");
    auto cut = MesScript::parse(std::move(bytes));
    ASSERT_TRUE(cut);
    story.emplace("0225a_f01", std::move(*cut));
    const StoryReach reach(story, t);
    EXPECT_TRUE(reach.reaches({Kind::Map, 0}));
    EXPECT_TRUE(reach.reaches({Kind::Map, 19}));
    EXPECT_TRUE(reach.reaches({Kind::DayChange, 3}));
    EXPECT_TRUE(reach.reaches({Kind::Ending, 12}));
}

}  // namespace
}  // namespace marlit
