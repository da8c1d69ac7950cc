#include "converter/platform/gui/window_texts.h"

#include <QLocale>

namespace marlit {

WindowLanguage windowLanguageFor(const QLocale& locale) {
    return locale.language() == QLocale::Japanese ? WindowLanguage::Japanese
                                                  : WindowLanguage::English;
}

namespace {

// The rates and bit rates read the same in both languages.
constexpr std::array<const char*, 13> kBgmBitrates{
    "16/8kbit",    "32/16kbit",   "48/24kbit",  "64/32kbit",  "80/40kbit",
    "96/48kbit",   "112/56kbit",  "128/64kbit", "160/80kbit", "192/96kbit",
    "224/112kbit", "256/128kbit", "320/160kbit"};
constexpr std::array<const char*, 13> kVoiceBitrates{
    "8kbit",  "16kbit", "24kbit", "32kbit",  "40kbit",  "48kbit", "56kbit",
    "64kbit", "80kbit", "96kbit", "112kbit", "128kbit", "160kbit"};
constexpr std::array<const char*, 2> kRates{"22.05kHz", "44.10kHz"};
constexpr std::array<const char*, 2> kScreens{"320*240", "640*480"};
constexpr std::array<const char*, 2> kFormats{"MP3", "MOGG"};

const WindowTexts kJapanese{
    .caption = "convMarlitPC[ver.1.01]Ｈ．Ｘ．Ｒ．Ｔ．専用コンバータ",
    .browse = "参照(&F)",
    .start = "開始(&S)",
    .outputLabel = "出力先",
    .browseOutput = "参照(&O)",
    .bgmGroup = "ＢＧＭ設定",
    .bitLabel = "BIT",
    .rateLabel = "RATE",
    .bgmBitrates = kBgmBitrates,
    .rates = kRates,
    .stereo = "ｽﾃﾚｵ",
    .voiceGroup = "音声設定(モノラル)",
    .voiceBitrates = kVoiceBitrates,
    .picturesGroup = "画像＆シナリオ",
    .soundGroup = "ＢＧＭ＆効果音",
    .voiceGroupCheck = "音声",
    .screenLabel = "画面サイズ",
    .screens = kScreens,
    .qualityLabel = "画質",
    .qualities = {"最高画質", "高画質(100)", "標準(90)", "低画質(80)"},
    .formats = kFormats,
    .encoderLine = "LAME : %1",
    .encoderMissing = "見つかりません",
    .statusLine = "変換データ数：%1 / %2 (%3)",
    .cancel = "中止(&C)",
    .cancelling = "中止しています…",
    .chooseSource = "フォルダを選択して下さい。",
    .chooseOutput = "出力先のフォルダを選択して下さい。",
    .encoderCaption = "ＤＬＬ異常",
    .encoderText = "<< libmp3lame >>が見つかりませんでした。",
    .encoderAdvice =
        "%1\nlame のライブラリ (Debian では libmp3lame0) を入れるか、"
        "ＢＧＭ＆効果音と音声を外してから、もう一度開始して下さい。",
    .folderCaption = "フォルダ異常",
    .folderText = "『Ｈ．Ｘ．Ｒ．Ｔ．』のフォルダを指定して下さい。",
    .folderAdvice =
        "%1 には ZERIVAD.exe も ZUDOVI.exe もありません。"
        "ゲームを入れたフォルダを参照(F)で選んで下さい。",
    .dataCaption = "データ異常",
    .keyListText =
        "変換に要る表 key_pictures.txt を読めません: %1\n"
        "convMarlitPC と一緒に入っている data フォルダを元に戻すか、"
        "MARLIT_DATA_DIR でその場所を指定して下さい。",
    .outputText = "出力先のフォルダ %1 を作れません。書き込めるフォルダを参照(O)で選んで下さい。",
    .reportWritten = "書き込んだファイル:",
    .reportNothing = "  なし",
    .reportFile = "  %1  (%2 バイト)",
    .reportSummary = "%1 ファイル、%2 バイト、%3 秒",
    .reportFailed = "変換できなかったもの (%1):",
    .reportCancelled =
        "中止しました。書きかけのパックは書き込まず、前からあるパックはそのまま残しました。",
};

const WindowTexts kEnglish{
    .caption = "convMarlitPC [ver.1.01] converter for H.X.R.T.",
    .browse = "&Browse...",
    .start = "&Start",
    .outputLabel = "Output",
    .browseOutput = "Br&owse...",
    .bgmGroup = "BGM settings",
    .bitLabel = "Bit rate",
    .rateLabel = "Rate",
    .bgmBitrates = kBgmBitrates,
    .rates = kRates,
    .stereo = "Stereo",
    .voiceGroup = "Voice settings (mono)",
    .voiceBitrates = kVoiceBitrates,
    .picturesGroup = "Pictures && scenario",
    .soundGroup = "BGM && effects",
    .voiceGroupCheck = "Voice",
    .screenLabel = "Screen size",
    .screens = kScreens,
    .qualityLabel = "Picture quality",
    .qualities = {"Best (uncompressed)", "High (100)", "Standard (90)", "Low (80)"},
    .formats = kFormats,
    .encoderLine = "LAME : %1",
    .encoderMissing = "not found",
    .statusLine = "Converted: %1 / %2 (%3)",
    .cancel = "&Cancel",
    .cancelling = "Cancelling...",
    .chooseSource = "Choose the game's folder.",
    .chooseOutput = "Choose the output folder.",
    .encoderCaption = "Encoder missing",
    .encoderText = "The MP3 encoder << libmp3lame >> was not found.",
    .encoderAdvice =
        "%1\nInstall the LAME library (on Debian: libmp3lame0), or turn off "
        "BGM & effects and Voice, then start again.",
    .folderCaption = "Wrong folder",
    .folderText = "Please choose the folder of \"H.X.R.T.\".",
    .folderAdvice =
        "%1 holds neither ZERIVAD.exe nor ZUDOVI.exe. Choose the folder the game "
        "is installed in with Browse.",
    .dataCaption = "Data missing",
    .keyListText =
        "The table key_pictures.txt that the conversion needs cannot be read: %1\n"
        "Restore the data folder installed with convMarlitPC, or name its place "
        "in MARLIT_DATA_DIR.",
    .outputText =
        "The output folder %1 cannot be created. Choose a folder you can write to "
        "with Browse.",
    .reportWritten = "written:",
    .reportNothing = "  nothing",
    .reportFile = "  %1  (%2 bytes)",
    .reportSummary = "%1 files, %2 bytes, in %3 s",
    .reportFailed = "not converted (%1):",
    .reportCancelled =
        "Cancelled: the pack that was being written was dropped; a pack written "
        "before is left as it was.",
};

}  // namespace

const WindowTexts& windowTexts(WindowLanguage language) {
    return language == WindowLanguage::Japanese ? kJapanese : kEnglish;
}

}  // namespace marlit
