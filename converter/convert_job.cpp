#include "converter/convert_job.h"

#include <filesystem>
#include <thread>

#include "base/files.h"
#include "converter/picture_group.h"
#include "converter/sound_group.h"
#include "converter/voice_pack.h"

namespace marlit {

namespace fs = std::filesystem;

std::string findVoiceArchive(const std::string& sourceRoot) {
    for (const char* place : {"voice.dat", "GameData/voice.dat", "AdvData/voice.dat"}) {
        std::string found = resolveHostCase((fs::path(sourceRoot) / place).string());
        std::error_code ec;
        if (fs::is_regular_file(found, ec))
            return found;
    }
    return {};
}

ConvertJob::ConvertJob(ConvertSettings settings, KeyList keys)
    : settings_(std::move(settings)), keys_(std::move(keys)) {}

int ConvertJob::jobCount() const {
    if (settings_.jobs > 0)
        return settings_.jobs;
    return std::max(1u, std::thread::hardware_concurrency());
}

int ConvertJob::Run() {
    if (finished_)
        return 0;
    std::vector<UnreadableFolder> unreadable;
    files_ = ScanFolder(settings_.sourceFolder, counts_, &unreadable);
    for (const auto& u : unreadable)
        failures_.push_back({u.folder, "the folder cannot be read: " + u.why});
    counts_.pictures += 1;  // chip.rbp

    if (settings_.pictures && !cancelled())
        runPictures();
    if (settings_.sound && !cancelled())
        runSounds();
    if (settings_.voice && !cancelled())
        runVoices();
    {
        std::lock_guard lock(nameMutex_);
        currentName_.clear();
    }
    {
        std::lock_guard lock(finishedMutex_);
        finished_ = true;
    }
    finishedChanged_.notify_all();
    return 0;
}

bool ConvertJob::waitFinished(std::chrono::milliseconds timeout) const {
    std::unique_lock lock(finishedMutex_);
    return finishedChanged_.wait_for(lock, timeout, [this] { return finished_.load(); });
}

std::string ConvertJob::currentName() const {
    std::lock_guard lock(nameMutex_);
    return currentName_;
}

GroupProgress ConvertJob::groupProgress() {
    auto setName = [this](const std::string& name) {
        {
            std::lock_guard lock(nameMutex_);
            currentName_ = name;
        }
        if (fileWatcher_)
            fileWatcher_(name);
    };
    return GroupProgress{done_, total_, setName, &cancel_};
}

void ConvertJob::noteOutput(const std::string& hostPath) {
    std::error_code ec;
    auto size = fs::file_size(hostPath, ec);
    if (!ec)
        outputs_.push_back({hostPath, size});
}

void ConvertJob::runPictures() {
    PictureGroupSettings group{settings_.screenPercent(), settings_.pictureQuality, jobCount()};
    std::string pack =
        (fs::path(settings_.outputFolder) / picturePackName(group.screenPercent)).string();
    int announced = counts_.pictures + counts_.scenarios;
    if (convertPictureGroup(settings_.sourceFolder, files_, announced, pack, group, keys_,
                            groupProgress(), failures_)) {
        noteOutput(pack);
    }
}

void ConvertJob::runSounds() {
    std::vector<std::string> paths;
    for (const auto& f : files_) {
        if (classifySource(f) == SourceKind::Sound) {
            paths.push_back((fs::path(settings_.sourceFolder) / relativeHostPath(f)).string());
        }
    }
    Mp3Settings mp3{settings_.bgmBitrateIndex, settings_.bgmRateIndex, settings_.bgmStereo};
    auto failed =
        convertSoundGroup(paths, settings_.outputFolder, mp3, jobCount(), groupProgress());
    // The outputs, once each: equal names in different folders share one file.
    std::vector<std::string> written;
    for (const auto& p : paths) {
        bool failedHere = std::any_of(failed.begin(), failed.end(), [&](const ConvertFailure& f) {
            return fs::path(p).filename().string() == f.name;
        });
        std::string out = (fs::path(settings_.outputFolder) / mp3FileName(p)).string();
        if (!failedHere && std::find(written.begin(), written.end(), out) == written.end()) {
            written.push_back(out);
        }
    }
    for (const auto& out : written)
        noteOutput(out);
    failures_.insert(failures_.end(), failed.begin(), failed.end());
}

void ConvertJob::runVoices() {
    std::string archive = findVoiceArchive(settings_.sourceFolder);
    if (archive.empty())
        return;
    Mp3Settings voice{settings_.voiceBitrateIndex, settings_.voiceRateIndex, false};
    if (WriteVoicePack(archive, settings_.outputFolder, voice, jobCount(), groupProgress(),
                       failures_)) {
        noteOutput((fs::path(settings_.outputFolder) / kVoicePackName).string());
    }
}

}  // namespace marlit
