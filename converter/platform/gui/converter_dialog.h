// convMarlitPC's window: the converter dialog. It holds the settings, runs
// one ConvertJob at a time on a worker thread after the start checks, shows
// its progress every 100 ms with its controls disabled, and reports what
// was written when the job has finished. A job can be cancelled; the worker
// then stops between files.
#pragma once

#include <QDialog>
#include <QTimer>
#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <thread>

#include "converter/convert_settings.h"
#include "converter/platform/gui/dialog_controls.h"
#include "converter/platform/gui/window_texts.h"

class QSettings;

namespace marlit {

class ConvertJob;

struct DialogSetup {
    ConvertSettings settings;                   // shown when the window opens
    std::optional<std::string> encoderVersion;  // none: the MP3 encoder is not available
    std::string encoderProblem;                 // why it is not
    std::string keyListPath;
    WindowLanguage language = WindowLanguage::Japanese;
    // Where the settings are kept at each start and when the window closes;
    // null: nowhere.
    QSettings* remember = nullptr;
    // Given each job before its worker starts, e.g. to follow its files.
    std::function<void(ConvertJob&)> jobCreated;
};

class ConverterDialog : public QDialog {
  public:
    explicit ConverterDialog(DialogSetup setup, QWidget* parent = nullptr);
    // Cancels a running job and waits for its worker.
    ~ConverterDialog() override;

    const DialogControls& controls() const { return controls_; }
    // What the browse buttons do with the folder chosen.
    void setSourceFolder(const QString& folder);
    void setOutputFolder(const QString& folder);
    // The settings the controls show.
    ConvertSettings settings() const;
    bool converting() const { return job_ != nullptr; }
    // The 100 ms timer that follows the job.
    const QTimer& progressTimer() const { return timer_; }

    // Closing while a job runs cancels it; the window closes when the
    // worker has stopped.
    void reject() override;
    void done(int result) override;

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void chooseFolder(const char* title, const QString& from,
                      void (ConverterDialog::*chosen)(const QString&));
    void start();
    bool startAllowed(const ConvertSettings& settings);
    void warn(const char* caption, const QString& text, const QString& advice);
    void cancel();
    void tick();
    void finishJob();

    DialogSetup setup_;
    const WindowTexts& texts_;
    DialogControls controls_;
    QTimer timer_;
    std::unique_ptr<ConvertJob> job_;
    std::thread worker_;
    std::chrono::steady_clock::time_point started_;
    bool closeWhenDone_ = false;
};

}  // namespace marlit
