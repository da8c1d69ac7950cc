#include "converter/platform/gui/remembered_settings.h"

#include <QSettings>
#include <QString>

namespace marlit {

namespace {

void loadIndex(const QSettings& store, const char* key, int last, int& value) {
    bool ok = false;
    int v = store.value(key).toInt(&ok);
    if (ok && v >= 0 && v <= last)
        value = v;
}

void loadFlag(const QSettings& store, const char* key, bool& value) {
    QString text = store.value(key).toString();
    if (text == "true" || text == "1")
        value = true;
    else if (text == "false" || text == "0")
        value = false;
}

void loadFolder(const QSettings& store, const char* key, std::string& value) {
    QString text = store.value(key).toString();
    if (!text.isEmpty())
        value = text.toStdString();
}

}  // namespace

ConvertSettings loadRememberedSettings(const QSettings& store, ConvertSettings s) {
    loadFolder(store, "folders/source", s.sourceFolder);
    loadFolder(store, "folders/output", s.outputFolder);
    loadIndex(store, "bgm/bitrate", 12, s.bgmBitrateIndex);
    loadIndex(store, "bgm/rate", 1, s.bgmRateIndex);
    loadFlag(store, "bgm/stereo", s.bgmStereo);
    loadIndex(store, "voice/bitrate", 12, s.voiceBitrateIndex);
    loadIndex(store, "voice/rate", 1, s.voiceRateIndex);
    loadFlag(store, "groups/pictures", s.pictures);
    loadFlag(store, "groups/sound", s.sound);
    loadFlag(store, "groups/voice", s.voice);
    loadIndex(store, "pictures/screen", 1, s.screenIndex);
    loadIndex(store, "pictures/quality", 3, s.pictureQuality);
    loadIndex(store, "output/format", 1, s.formatIndex);
    return s;
}

void rememberSettings(QSettings& store, const ConvertSettings& s) {
    store.setValue("folders/source", QString::fromStdString(s.sourceFolder));
    store.setValue("folders/output", QString::fromStdString(s.outputFolder));
    store.setValue("bgm/bitrate", s.bgmBitrateIndex);
    store.setValue("bgm/rate", s.bgmRateIndex);
    store.setValue("bgm/stereo", s.bgmStereo);
    store.setValue("voice/bitrate", s.voiceBitrateIndex);
    store.setValue("voice/rate", s.voiceRateIndex);
    store.setValue("groups/pictures", s.pictures);
    store.setValue("groups/sound", s.sound);
    store.setValue("groups/voice", s.voice);
    store.setValue("pictures/screen", s.screenIndex);
    store.setValue("pictures/quality", s.pictureQuality);
    store.setValue("output/format", s.formatIndex);
    store.sync();
}

}  // namespace marlit
