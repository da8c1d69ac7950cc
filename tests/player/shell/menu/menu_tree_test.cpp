// The menu tree: the level limit, the depth-first search by id, the walk of
// the highlight, and the tree the player builds with its labels and ids.
#include "player/shell/menu_tree.h"

#include <gtest/gtest.h>

#include "base/encoding.h"
#include "player/shell/menu_commands.h"
#include "player/shell/menu_layout.h"

namespace marlit {
namespace {

using Kind = MenuItemKind;

TEST(MenuTree, ALevelTakesTwentyItemsAndRefusesTheNext) {
    MenuTree tree;
    MenuLevel* root = tree.createLevel();
    EXPECT_EQ(tree.root(), root);
    for (int i = 0; i < 20; ++i)
        EXPECT_EQ(MenuTree::appendItem(root, 100 + i, Kind::Command, "x"), i);
    EXPECT_EQ(MenuTree::appendItem(root, 999, Kind::Command, "x"), 0);
    EXPECT_EQ(root->count(), 20);
    EXPECT_EQ(tree.find(999), nullptr);
    EXPECT_EQ(tree.appendSubmenu(root, "full"), nullptr);
    EXPECT_EQ(MenuTree::appendItem(nullptr, 1, Kind::Command, "x"), -1);
    // A new item is enabled and unchecked.
    EXPECT_TRUE(root->items[0].enabled());
    EXPECT_FALSE(root->items[0].checked());
}

// Items in order, each item's sub-level before the next item: the item
// inside the first submenu is found before a later item of the root.
TEST(MenuTree, SearchByIdIsDepthFirstAndAnUnknownIdChangesNothing) {
    MenuTree tree;
    MenuLevel* root = tree.createLevel();
    MenuLevel* sub = tree.appendSubmenu(root, "sub");
    MenuLevel* deeper = tree.appendSubmenu(sub, "deeper");
    MenuTree::appendItem(deeper, 7, Kind::Command, "deep seven");
    MenuTree::appendItem(sub, 7, Kind::Command, "sub seven");
    MenuTree::appendItem(root, 7, Kind::Command, "root seven");
    EXPECT_EQ(sub->parent, root);
    EXPECT_EQ(root->items[0].sub, sub);

    ASSERT_TRUE(tree.setChecked(7, true));
    EXPECT_TRUE(deeper->items[0].checked());
    EXPECT_FALSE(sub->items[1].checked());
    EXPECT_FALSE(root->items[1].checked());
    ASSERT_TRUE(tree.setEnabled(7, false));
    EXPECT_FALSE(deeper->items[0].enabled());
    EXPECT_TRUE(root->items[1].enabled());

    EXPECT_FALSE(tree.setChecked(8, true));
    EXPECT_FALSE(tree.setEnabled(8, false));
    EXPECT_FALSE(root->items[1].checked());
    EXPECT_TRUE(sub->items[1].enabled());
}

// Up and down wrap around and skip separators and greyed items; from no
// selection down starts at the first item and up at the last.
TEST(MenuTree, TheHighlightWrapsAndSkips) {
    MenuTree tree;
    MenuLevel* l = tree.createLevel();
    MenuTree::appendItem(l, 0, Kind::Separator, "");  // 0
    MenuTree::appendItem(l, 1, Kind::Command, "a");   // 1
    MenuTree::appendItem(l, 2, Kind::Command, "b");   // 2, greyed
    MenuTree::appendItem(l, 0, Kind::Separator, "");  // 3
    MenuTree::appendItem(l, 3, Kind::Command, "c");   // 4
    MenuTree::appendItem(l, 0, Kind::Separator, "");  // 5
    tree.setEnabled(2, false);
    EXPECT_EQ(stepSelection(*l, -1, 1), 1);
    EXPECT_EQ(stepSelection(*l, -1, -1), 4);
    EXPECT_EQ(stepSelection(*l, 1, 1), 4);
    EXPECT_EQ(stepSelection(*l, 4, 1), 1);
    EXPECT_EQ(stepSelection(*l, 1, -1), 4);
    EXPECT_EQ(stepSelection(*l, 4, -1), 1);

    tree.setEnabled(1, false);
    tree.setEnabled(3, false);
    EXPECT_EQ(stepSelection(*l, -1, 1), -1);
    EXPECT_EQ(stepSelection(*l, 4, -1), -1);
    MenuLevel* empty = tree.createLevel(l, 0);
    EXPECT_EQ(stepSelection(*empty, -1, 1), -1);
}

std::string labelsOf(const MenuLevel& level) {
    std::string out;
    for (const MenuItem& item : level.items) {
        if (!out.empty())
            out += "|";
        out += item.kind == Kind::Separator ? "―" : sjisToUtf8(item.label);
        if (item.kind == Kind::Command)
            out += "=" + std::to_string(item.id);
        if (item.kind == Kind::Submenu)
            out += ">";
    }
    return out;
}

const MenuLevel& subOf(const MenuLevel& level, int index) {
    const MenuLevel* sub = level.items[static_cast<size_t>(index)].sub;
    EXPECT_NE(sub, nullptr);
    static const MenuLevel none;
    return sub ? *sub : none;
}

TEST(MenuTree, ThePlayersTreeHasItsLabelsAndIds) {
    MenuTree tree;
    const MenuPlaces places = buildMenuTree(tree);
    const MenuLevel& root = *tree.root();
    EXPECT_EQ(labelsOf(root),
              "ﾛｰﾄﾞ>|ｾｰﾌﾞ>|―|表示効果=40049|設定>|ﾒｯｾｰｼﾞ>|―|ﾀｲﾄﾙに戻る=40008|―|終了=40007");
    ASSERT_EQ(places.load->count(), 15);
    EXPECT_EQ(places.load->items[0].label, "LOAD_001");
    EXPECT_EQ(places.load->items[14].label, "LOAD_015");
    EXPECT_EQ(places.load->items[14].id, 40031);
    EXPECT_EQ(places.save->items[0].label, "SAVE_001");
    EXPECT_EQ(places.save->items[14].id, 40046);

    const MenuLevel& settings = subOf(root, 4);
    EXPECT_EQ(labelsOf(settings),
              "基準音量>|ﾐｭｰｼﾞｯｸ>|音声>|効果音>|動画>|ｶｰｿﾙ中央>|ｶｰｿﾙ動作ﾓｰﾄﾞ>|ﾏﾅｰﾓｰﾄﾞ>|"
              "桜効果を許可=40157|場所表示=40159|ｷｰ設定>");
    EXPECT_EQ(labelsOf(subOf(settings, 0)),
              "100%=40126|90%=40127|80%=40128|70%=40129|60%=40130|50%=40131|40%=40132|"
              "30%=40133|20%=40134|10%=40135");
    EXPECT_EQ(labelsOf(subOf(settings, 1)), "音量>|―|再生=40068");
    EXPECT_EQ(subOf(subOf(settings, 1), 0).items[0].id, 40069);
    EXPECT_EQ(labelsOf(subOf(settings, 2)), "音量>|―|再生=40067");
    EXPECT_EQ(subOf(subOf(settings, 2), 0).items[9].id, 40088);
    EXPECT_EQ(labelsOf(subOf(settings, 3)), "音量>|―|再生=40108");
    EXPECT_EQ(subOf(subOf(settings, 3), 0).items[0].id, 40109);
    EXPECT_EQ(labelsOf(subOf(settings, 4)), "音量>");
    EXPECT_EQ(subOf(subOf(settings, 4), 0).items[9].id, 40156);
    EXPECT_EQ(labelsOf(subOf(settings, 5)),
              "無効=40163|ﾒﾆｭｰ表示=40164|ｳｨﾝﾄﾞｳ消去=40165|ﾃｷｽﾄ回想=40166|ｸｲｯｸｾｰﾌﾞ=40167|"
              "ｸｲｯｸﾛｰﾄﾞ=40168|―|二度押し設定=40158");
    EXPECT_EQ(labelsOf(subOf(settings, 6)),
              "通常=40120|基本抑制=40121|横優先=40122|縦優先=40123|完全抑制=40124");
    EXPECT_EQ(labelsOf(subOf(settings, 7)),
              "気にしないよ=40160|少しくらいなら……=40161|見ちゃダメお兄ちゃん！=40162|―|"
              "音声も恥ずかしいの……=40169");
    EXPECT_EQ(&subOf(settings, 10), places.keys);

    const MenuLevel& message = subOf(root, 5);
    EXPECT_EQ(labelsOf(message),
              "ｱﾝﾁｴｲﾘｱｽ>|表示速度>|自動送り>|ｳｨﾝﾄﾞｳ透過値>|ｽｷｯﾌﾟ制御>|"
              "巻き戻し音声=40097|あらすじ機能=40140");
    EXPECT_EQ(labelsOf(subOf(message, 0)), "無効=40136|弱=40137|中=40138|強=40139|―|影文字=40125");
    EXPECT_EQ(labelsOf(subOf(message, 1)), "速い=40055|普通=40056|遅い=40057");
    EXPECT_EQ(labelsOf(subOf(message, 2)),
              "無効=40060|0ms=40061|500ms=40062|1000ms=40063|"
              "1500ms=40064|2000ms=40065|2500ms=40066");
    EXPECT_EQ(labelsOf(subOf(message, 3)),
              "ほとんど=40141|かなり=40142|それなり=40143|半分だけ=40144|ちょっと=40145");
    EXPECT_EQ(labelsOf(subOf(message, 4)), "未読停止=40059|ｽｷｯﾌﾟﾛｯｸ=40146");
}

}  // namespace
}  // namespace marlit
