#include "player/shell/menu_layout.h"

#include <cstdio>
#include <initializer_list>

#include "base/encoding.h"
#include "player/shell/menu_commands.h"

namespace marlit {

namespace {

using Kind = MenuItemKind;

void command(MenuLevel* level, int id, const char* label) {
    MenuTree::appendItem(level, id, Kind::Command, menuText(label));
}

void separator(MenuLevel* level) {
    MenuTree::appendItem(level, 0, Kind::Separator, "");
}

void commands(MenuLevel* level, int firstId, std::initializer_list<const char*> labels) {
    int id = firstId;
    for (const char* label : labels)
        command(level, id++, label);
}

void volumes(MenuLevel* level, int firstId) {
    for (int k = 0; k < kVolumeSteps; ++k) {
        const std::string label = std::to_string(100 - 10 * k) + "%";
        MenuTree::appendItem(level, firstId + k, Kind::Command, label);
    }
}

// "ﾐｭｰｼﾞｯｸ" and the like: a volume level, and a play item when it has one.
void soundLevel(MenuTree& tree, MenuLevel* settings, const char* label, int volumeFirst,
                int playId) {
    MenuLevel* level = tree.appendSubmenu(settings, menuText(label));
    volumes(tree.appendSubmenu(level, menuText("音量")), volumeFirst);
    if (playId != 0) {
        separator(level);
        command(level, playId, "再生");
    }
}

void slotItems(MenuLevel* level, const char* prefix, int firstId) {
    for (int i = 0; i < kSaveSlotItems; ++i) {
        char label[16];
        std::snprintf(label, sizeof label, "%s_%03d", prefix, i + 1);
        MenuTree::appendItem(level, firstId + i, Kind::Command, label);
    }
}

void settingsLevel(MenuTree& tree, MenuLevel* root, MenuPlaces& places) {
    MenuLevel* s = tree.appendSubmenu(root, menuText("設定"));
    volumes(tree.appendSubmenu(s, menuText("基準音量")), kCommandMasterVolFirst);
    soundLevel(tree, s, "ﾐｭｰｼﾞｯｸ", kCommandMusicVolFirst, kCommandMusicPlay);
    soundLevel(tree, s, "音声", kCommandVoiceVolFirst, kCommandVoicePlay);
    soundLevel(tree, s, "効果音", kCommandEffectVolFirst, kCommandEffectPlay);
    soundLevel(tree, s, "動画", kCommandMovieVolFirst, 0);

    MenuLevel* centre = tree.appendSubmenu(s, menuText("ｶｰｿﾙ中央"));
    commands(centre, kCommandCentreFirst,
             {"無効", "ﾒﾆｭｰ表示", "ｳｨﾝﾄﾞｳ消去", "ﾃｷｽﾄ回想", "ｸｲｯｸｾｰﾌﾞ", "ｸｲｯｸﾛｰﾄﾞ"});
    separator(centre);
    command(centre, kCommandDoublePress, "二度押し設定");

    commands(tree.appendSubmenu(s, menuText("ｶｰｿﾙ動作ﾓｰﾄﾞ")), kCommandCursorFirst,
             {"通常", "基本抑制", "横優先", "縦優先", "完全抑制"});

    MenuLevel* manner = tree.appendSubmenu(s, menuText("ﾏﾅｰﾓｰﾄﾞ"));
    commands(manner, kCommandMannerFirst,
             {"気にしないよ", "少しくらいなら……", "見ちゃダメお兄ちゃん！"});
    separator(manner);
    command(manner, kCommandMannerVoice, "音声も恥ずかしいの……");

    command(s, kCommandPetals, "桜効果を許可");
    command(s, kCommandPlaceName, "場所表示");
    // Not in the handheld's menu: the player's keys, chosen by pressing them.
    places.keys = tree.appendSubmenu(s, menuText("ｷｰ設定"));
}

void messageLevel(MenuTree& tree, MenuLevel* root) {
    MenuLevel* m = tree.appendSubmenu(root, menuText("ﾒｯｾｰｼﾞ"));
    MenuLevel* aa = tree.appendSubmenu(m, menuText("ｱﾝﾁｴｲﾘｱｽ"));
    commands(aa, kCommandAntialiasFirst, {"無効", "弱", "中", "強"});
    separator(aa);
    command(aa, kCommandShadow, "影文字");
    commands(tree.appendSubmenu(m, menuText("表示速度")), kCommandSpeedFirst,
             {"速い", "普通", "遅い"});
    commands(tree.appendSubmenu(m, menuText("自動送り")), kCommandAutoFirst,
             {"無効", "0ms", "500ms", "1000ms", "1500ms", "2000ms", "2500ms"});
    commands(tree.appendSubmenu(m, menuText("ｳｨﾝﾄﾞｳ透過値")), kCommandWindowTransFirst,
             {"ほとんど", "かなり", "それなり", "半分だけ", "ちょっと"});
    MenuLevel* skip = tree.appendSubmenu(m, menuText("ｽｷｯﾌﾟ制御"));
    command(skip, kCommandReadSkip, "未読停止");
    command(skip, kCommandSkipLock, "ｽｷｯﾌﾟﾛｯｸ");
    command(m, kCommandVoiceReplay, "巻き戻し音声");
    command(m, kCommandSynopsis, "あらすじ機能");
}

}  // namespace

std::string menuText(const char* utf8) {
    return utf8ToSjis(utf8).value_or(utf8);
}

MenuPlaces buildMenuTree(MenuTree& tree) {
    MenuPlaces places;
    MenuLevel* root = tree.createLevel();
    places.load = tree.appendSubmenu(root, menuText("ﾛｰﾄﾞ"));
    slotItems(places.load, "LOAD", kCommandLoadFirst);
    places.save = tree.appendSubmenu(root, menuText("ｾｰﾌﾞ"));
    slotItems(places.save, "SAVE", kCommandSaveFirst);
    separator(root);
    command(root, kCommandEffects, "表示効果");
    settingsLevel(tree, root, places);
    messageLevel(tree, root);
    separator(root);
    command(root, kCommandReturnToTitle, "ﾀｲﾄﾙに戻る");
    separator(root);
    command(root, kCommandExit, "終了");
    return places;
}

}  // namespace marlit
