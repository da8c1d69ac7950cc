#include "tools/samplegame/staff_pictures.h"

#include <string>
#include <vector>

#include "tools/samplegame/catalogue.h"
#include "tools/samplegame/shapes.h"
#include "tools/samplegame/ui_kit.h"

namespace marlit::sample {

namespace {

const Colour kRollBack = rgb(0x0c1630);

struct Credit {
    const char* role;
    const char* who;
};

// Each picture holds two credits, each a role and a name, evenly spaced,
// so the roll scrolls at an even pace.
const std::vector<Credit>& credits() {
    static const std::vector<Credit> list = {
        {"はるまちの岬", "marlit sample game"},
        {"原案・シナリオ", "marlit プロジェクト"},
        {"キャラクター", "水瀬 灯　／　橘 小夜"},
        {"背景", "コードで描いた潮見町"},
        {"キャラクター画", "図形で描いたふたり"},
        {"音楽", "合成したメロディー 37曲"},
        {"効果音", "波・風・汽笛・鐘"},
        {"声", "espeak-ng による日本語音声"},
        {"フォント", "IPAゴシック"},
        {"画像形式", "CRX（LZ・zlib、行フィルター 0〜4）"},
        {"音声形式", "PCM・差分・変換符号化"},
        {"変換", "convMarlitPC"},
        {"再生", "marlit"},
        {"道具", "marlit-tool　／　mksample"},
        {"テスト", "ヘッドレス再生とフレームの比較"},
        {"協力", "潮見町のみなさん"},
        {"スペシャルサンクス", "ベーカリーともしび"},
        {"", "岬の灯台"},
        {"", "わだつみ神社"},
        {"", "しおみ商店街"},
        {"制作", "しおさい工房"},
        {"", "そして、遊んでくれたあなたへ"},
    };
    return list;
}

}  // namespace

Canvas paintStaffRoll(const Font& font, int number) {
    const int height = number == 12 ? 600 : 1200;
    Canvas c(800, height, kRollBack);
    if (number == 12) {
        font.drawIn(c, "おしまい", 0, 220, 800, 90, 64, TextStyle{rgb(0xffffff)});
        font.drawIn(c, "ありがとうございました", 0, 320, 800, 50, 28, TextStyle{ui::kBlossom});
        return c;
    }
    const auto& list = credits();
    for (int k = 0; k < 2; ++k) {
        const size_t i = static_cast<size_t>((number - 1) * 2 + k);
        if (i >= list.size())
            break;
        const float y = 300.0f + k * 600;
        if (*list[i].role)
            font.drawIn(c, list[i].role, 0, y - 60, 800, 48, 32, TextStyle{ui::kBlossom});
        font.drawIn(c, list[i].who, 0, y, 800, 64, 44, TextStyle{rgb(0xffffff)});
    }
    return c;
}

Canvas paintCreditPanel(const Font& font, int number) {
    Canvas c(400, 600, kRollBack);
    fillShape(c, boxOf(20, 20, 360, 560), outline(roundedRect(24, 24, 352, 552, 16), 2),
              solid(ui::kBlossom));
    if (number == 1) {
        font.drawIn(c, "はるまちの岬", 0, 200, 400, 60, 40,
                    outlinedText(rgb(0xffffff), ui::kNavy, 2));
        font.drawIn(c, "ending", 0, 270, 400, 40, 24, TextStyle{ui::kBlossom});
    } else {
        font.drawIn(c, "出演", 0, 170, 400, 40, 24, TextStyle{ui::kBlossom});
        int row = 0;
        for (const Heroine& h : heroines()) {
            font.drawIn(c, h.name, 0, 220.0f + row * 60, 400, 50, 34, TextStyle{rgb(0xffffff)});
            ++row;
        }
        font.drawIn(c, "そして、あなた", 0, 220.0f + row * 60, 400, 50, 28,
                    TextStyle{rgb(0xd0d8e8)});
    }
    return c;
}

}  // namespace marlit::sample
