// One conversion: scan the game folder, then the three groups in order —
// pictures and scripts into the picture pack, music and effects into MP3
// files, voices into the voice pack. Run() is the worker's body; a front
// end polls progress() from its own thread.
#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "converter/convert_progress.h"
#include "converter/convert_settings.h"
#include "converter/key_list.h"
#include "converter/source_scan.h"

namespace marlit {

// A file the conversion wrote.
struct ConvertOutput {
    std::string path;  // host path
    uint64_t size = 0;
};

class ConvertJob {
  public:
    ConvertJob(ConvertSettings settings, KeyList keys);

    // Performs the conversion once; a second call returns at once. Returns 0.
    int Run();

    // Polled by the front end while the job runs.
    int done() const { return done_.load(); }
    int total() const { return total_.load(); }
    std::string currentName() const;  // UTF-8, without folder
    bool finished() const { return finished_.load(); }
    // Waits until the job has finished or the time has passed; true when
    // it has finished.
    bool waitFinished(std::chrono::milliseconds timeout) const;

    // Asks the worker to stop before its next file, from any thread. The
    // files it is working on are finished; a pack being written is dropped
    // and an older one stays as it was. The job then finishes as usual.
    void cancel() { cancel_ = true; }
    bool cancelled() const { return cancel_.load(); }

    // Told, on the thread that works on it (several at once when the job
    // has several), the name of each file as its work starts, after the
    // current name has been set. Set it before Run(); for a front end that
    // follows the files one by one.
    void watchFiles(std::function<void(const std::string&)> watcher) {
        fileWatcher_ = std::move(watcher);
    }

    // Read these once finished() is true.
    const ScanCounts& counts() const { return counts_; }
    const std::vector<ConvertFailure>& failures() const { return failures_; }
    const std::vector<ConvertOutput>& outputs() const { return outputs_; }

  private:
    void runPictures();
    void runSounds();
    void runVoices();
    void noteOutput(const std::string& hostPath);
    GroupProgress groupProgress();
    int jobCount() const;

    ConvertSettings settings_;
    KeyList keys_;
    std::atomic<int> done_{0};
    std::atomic<int> total_{0};
    mutable std::mutex nameMutex_;
    std::string currentName_;
    std::atomic<bool> finished_{false};
    std::atomic<bool> cancel_{false};
    std::function<void(const std::string&)> fileWatcher_;
    mutable std::mutex finishedMutex_;
    mutable std::condition_variable finishedChanged_;
    std::vector<SourceFile> files_;
    ScanCounts counts_;
    std::vector<ConvertFailure> failures_;
    std::vector<ConvertOutput> outputs_;
};

// Where the voice archive of a game folder is: "voice.dat", else
// "GameData\voice.dat", else "AdvData\voice.dat"; empty when none exists.
std::string findVoiceArchive(const std::string& sourceRoot);

}  // namespace marlit
