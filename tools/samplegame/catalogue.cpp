#include "tools/samplegame/catalogue.h"

#include <cstdio>

namespace marlit::sample {

const std::vector<Place>& places() {
    static const std::vector<Place> list = {
        {0, "eki_01", "潮見駅"},         {1, "shop_01", "しおみ商店街"},
        {2, "minato_01", "潮見港"},      {3, "misaki_01", "岬の灯台"},
        {4, "room_01", "自分の部屋"},    {4, "room_02", "自分の部屋"},
        {5, "umi_01", "潮見海岸"},       {6, "sakura_01", "桜並木"},
        {7, "jinja_01", "わだつみ神社"}, {8, "pan_01", "ベーカリーともしび"},
    };
    return list;
}

const std::vector<Heroine>& heroines() {
    static const std::vector<Heroine> list = {
        {"duzo", 'n', "DUZ", "灯", 0},
        {"sela", 's', "SEL", "小夜", 1},
    };
    return list;
}

namespace {

constexpr const char* kTitles[37] = {
    "潮見の朝",
    "ひだまりベーカリー",
    "星見の灯台",
    "波音のワルツ",
    "ざわめき",
    "夕暮れの坂道",
    "ないしょ話",
    "約束の桜",
    "まちを歩こう",
    "しおさい",
    "夜の灯",
    "今日はどうしよう",
    "雨やどり",
    "かもめの午後",
    "はるまちの岬",
    "ちいさな決心",
    "風見鶏",
    "放課後の港",
    "月あかり",
    "ゆびきり",
    "帰り道",
    "きらきら",
    "追いかけっこ",
    "ひみつ基地",
    "ひとりの夜",
    "ありがとう",
    "春を待つひと",
    "おやすみ",
    "まぶしい日",
    "すれちがい",
    "海のむこう",
    "ひかりの粒",
    "さくら色",
    "ただいま",
    "ひだまり",
    "ふたりの時間",
    "はるまちの岬（ピアノ）",
};

// Pieces the story, the title, the map, the day change, the ending and the
// staff roll play.
bool usedByStory(int n) {
    for (int used : {1, 2, 3, 4, 5, 6, 7, 8, 9, 12, 15, 26, 27}) {
        if (n == used)
            return true;
    }
    return false;
}

}  // namespace

const std::vector<MusicPiece>& musicPieces() {
    static const std::vector<MusicPiece> list = [] {
        std::vector<MusicPiece> out;
        for (int n = 1; n <= 37; ++n) {
            SoundCodec codec = n % 3 == 1   ? SoundCodec::Raw
                               : n % 3 == 2 ? SoundCodec::Delta
                                            : SoundCodec::Transform;
            float seconds = 16;
            if (n == 7)
                codec = SoundCodec::Wave;
            if (n == 26)
                seconds = 24;  // the ending's pictures follow its position
            if (n == 27) {
                // The staff roll scrolls twelve pictures of 14 s each by
                // the music's position.
                codec = SoundCodec::Delta;
                seconds = 172;
            }
            out.push_back({n, kTitles[n - 1], n % 6, seconds, codec, usedByStory(n)});
        }
        return out;
    }();
    return list;
}

std::string musicTitle(int number) {
    if (number < 1 || number > 37)
        return "";
    char head[8];
    std::snprintf(head, sizeof head, "%02d ", number);
    return head + std::string(kTitles[number - 1]);
}

const std::vector<Effect>& effects() {
    static const std::vector<Effect> list = {
        {1, "train horn", SoundCodec::Delta},
        {2, "footsteps (loops)", SoundCodec::Raw},
        {3, "alarm clock", SoundCodec::Transform},
        {4, "waves (loops)", SoundCodec::Delta},
        {5, "shop door bell", SoundCodec::Raw},
        {6, "gust of wind", SoundCodec::Transform},
        {7, "gulls", SoundCodec::Raw},
    };
    return list;
}

std::vector<VoiceLine> voiceLines() {
    std::vector<VoiceLine> lines = {
        {"DUZ\\duz0001.pcm", 0, "$nくん！　おかえりなさい！", "おかえりなさい！"},
        {"DUZ\\duz0002.pcm", 0, "あっ、ごめん！　つい、うれしくて",
         "あっ、ごめん！つい、うれしくて"},
        {"DUZ\\duz0003.pcm", 0, "まかせて！　パン屋の娘は力持ちなんだから",
         "まかせて！ぱんやのむすめわ、ちからもちなんだから"},
        {"DUZ\\duz0004.pcm", 0, "ふふっ、変わってないなあ", "ふふっ、かわってないなあ"},
        {"DUZ\\duz0005.pcm", 0, "河津桜、もう咲いてるんだよ。ほら",
         "かわづざくら、もうさいてるんだよ。ほら"},
        {"DUZ\\duz0006.pcm", 0, "おーい、$nくーん！　あれ、小夜ちゃん？",
         "おーい！あれ、さよちゃん？"},
        {"DUZ\\duz0007.pcm", 0, "ひゃっ、つめたい！", "ひゃっ、つめたい！"},
        {"DUZ\\duz0008.pcm", 0, "いらっしゃいませ！……なんてね", "いらっしゃいませ！なんてね"},
        {"DUZ\\duz0009.pcm", 0, "今日はどこへ行くの？", "きょうわ、どこえいくの？"},
        {"DUZ\\duz0010.pcm", 0, "焼きたてのクロワッサン、食べてみて",
         "やきたての、くろわっさん、たべてみて"},
        {"DUZ\\duz0011.pcm", 0, "おいしい？　よかったあ", "おいしい？よかったあ"},
        {"DUZ\\duz0012.pcm", 0, "見て見て、船が帰ってきた！", "みてみて、ふねがかえってきた！"},
        {"DUZ\\duz0013.pcm", 0, "ずっと、待ってたんだよ。$nくんが帰ってくるの",
         "ずっと、まってたんだよ"},
        {"DUZ\\duz0014.pcm", 0, "……おかえり", "おかえり"},
        {"DUZ\\duz0015.pcm", 0, "ただいま、じゃなくて……おかえり、だよね",
         "ただいま、じゃなくて、おかえり、だよね"},
        {"DUZ\\duz0016.pcm", 0, "また春が来たね", "また、はるがきたね"},
        {"SEL\\sel0001.pcm", 1, "……こんにちは。このあたりの人じゃ、ないですよね",
         "こんにちわ。このあたりのひとじゃ、ないですよね"},
        {"SEL\\sel0002.pcm", 1, "わたし、小夜です。岬の灯台で、星を見ているんです",
         "わたし、さよです。みさきのとうだいで、ほしをみているんです"},
        {"SEL\\sel0003.pcm", 1, "あ、灯さん……おはようございます",
         "あ、あかりさん。おはようございます"},
        {"SEL\\sel0004.pcm", 1, "ふふ……", "ふふ"},
        {"SEL\\sel0005.pcm", 1, "今夜は、オリオン座がよく見えますよ",
         "こんやわ、おりおんざが、よくみえますよ"},
        {"SEL\\sel0006.pcm", 1, "わたしは……たぶん、灯台に", "わたしわ、たぶん、とうだいに"},
        {"SEL\\sel0007.pcm", 1, "あれが、おおいぬ座のシリウスです",
         "あれが、おおいぬざの、しりうすです"},
        {"SEL\\sel0008.pcm", 1, "星は、ずっと前の光なんですよ",
         "ほしわ、ずっとまえの、ひかりなんですよ"},
        {"SEL\\sel0009.pcm", 1, "灯さん、走ると危ないですよ",
         "あかりさん、はしると、あぶないですよ"},
        {"SEL\\sel0010.pcm", 1, "春になったら、いっしょに星を見てくれますか",
         "はるになったら、いっしょに、ほしをみてくれますか"},
        {"SEL\\sel0011.pcm", 1, "……約束、ですよ", "やくそく、ですよ"},
        {"SEL\\sel0012.pcm", 1, "今年の桜も、きれいですね", "ことしのさくらも、きれいですね"},
    };
    // The title screen's lines, by situation 1-15.
    static const char* const kTitleLines[2][15][2] = {
        {{"しおさい工房です！", "しおさいこうぼうです！"},
         {"はるまちの岬！", "はるまちのみさき！"},
         {"さあ、はじめよう！", "さあ、はじめよう！"},
         {"つづきからだね", "つづきからだね"},
         {"おまけだよ！", "おまけだよ！"},
         {"思い出のアルバム！", "おもいでのあるばむ！"},
         {"音楽、きこうよ", "おんがく、きこうよ"},
         {"あのときのこと、覚えてる？", "あのときのこと、おぼえてる？"},
         {"こんにちは！", "こんにちわ！"},
         {"またね！", "またね！"},
         {"おかえりなさい！", "おかえりなさい！"},
         {"こんな夜ふけに、どうしたの？", "こんなよふけに、どうしたの？"},
         {"おはよう！", "おはよう！"},
         {"こんにちは！　いい天気だね", "こんにちわ！いいてんきだね"},
         {"こんばんは！", "こんばんわ！"}},
        {{"しおさい工房、です", "しおさいこうぼう、です"},
         {"はるまちの、岬", "はるまちの、みさき"},
         {"はじめましょう", "はじめましょう"},
         {"つづきから、ですね", "つづきから、ですね"},
         {"おまけ、です", "おまけ、です"},
         {"思い出の絵です", "おもいでのえです"},
         {"音楽を、どうぞ", "おんがくを、どうぞ"},
         {"あの日のこと……", "あのひのこと"},
         {"こんにちは", "こんにちわ"},
         {"また、あした", "また、あした"},
         {"おかえりなさい", "おかえりなさい"},
         {"夜ふかしは、だめですよ", "よふかしわ、だめですよ"},
         {"おはようございます", "おはようございます"},
         {"こんにちは", "こんにちわ"},
         {"こんばんは。星がきれいですね", "こんばんわ。ほしがきれいですね"}},
    };
    for (int h = 0; h < 2; ++h) {
        const Heroine& who = heroines()[h];
        for (int s = 1; s <= 15; ++s) {
            char clip[64];
            std::snprintf(clip, sizeof clip, "SYSTEM\\%s\\SYSTEM%02d_%c%02d.pcm", who.voiceFolder,
                          h + 1, who.letter - 'a' + 'A', s);
            lines.push_back({clip, h, kTitleLines[h][s - 1][0], kTitleLines[h][s - 1][1]});
        }
    }
    lines.push_back({"GAYA\\gaya_n01.pcm", 0, "いらっしゃいませー！　焼きたてですよー！",
                     "いらっしゃいませー！やきたてですよー！"});
    lines.push_back({"GAYA\\gaya_s01.pcm", 1, "……今日も、星が見えるといいな",
                     "きょうも、ほしがみえるといいな"});
    lines.push_back(
        {"GAYA\\gaya_ns01.pcm", 0, "小夜ちゃーん、こっちこっち！", "さよちゃーん、こっちこっち！"});
    return lines;
}

std::vector<SceneEntry> scenesOf(int heroine) {
    if (heroine == 0) {
        return {{223, "0223a_f01", "おかえり"},
                {225, "0225c_n01", "焼きたて"},
                {225, "0225c_ns01", "港のふたり"},
                {307, "0307b_n01", "約束の桜"},
                {310, "0310a_ned", "ただいま"}};
    }
    return {{224, "0224a_f01", "岬の少女"},
            {225, "0225c_s01", "星の灯台"},
            {225, "0225c_ns01", "港のふたり"},
            {307, "0307b_s01", "春の約束"}};
}

std::vector<std::vector<std::string>> galleryOf(int heroine) {
    if (heroine == 0)
        return {{"ev_n01", "ev_n01b", "ev_n01c"}, {"ev_n02"}};
    return {{"ev_s01"}, {"ev_s02"}};
}

}  // namespace marlit::sample
