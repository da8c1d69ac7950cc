// Helpers that drive convMarlitPC's window in tests: waiting on the event
// loop, holding the worker at chosen files, and a dialog set up for a
// temporary output folder.
#pragma once

#include <QDeadlineTimer>
#include <QMessageBox>
#include <QTest>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <string>

#include "converter/platform/gui/converter_dialog.h"

namespace marlit::test {

// Runs the event loop until pred() holds; false after 60 s.
template <class Pred>
bool eventually(Pred pred) {
    QDeadlineTimer deadline(60000);
    while (!pred()) {
        if (deadline.hasExpired())
            return false;
        QTest::qWait(5);
    }
    return true;
}

// Holds a job's worker at every file but "chip.rbp" until the test lets it
// go on. Shared with the job, so that it outlives it.
class FileGate {
  public:
    void arrive(const std::string& name);
    // The file the worker is held at, or empty.
    std::string held();
    // Lets the held file go on; the next file is held again.
    void release();
    // Lets every file go on from now.
    void open();
    int arrivals();

  private:
    std::mutex mutex_;
    std::condition_variable changed_;
    std::string held_;
    int arrivals_ = 0;
    bool open_ = false;
};

// A dialog in Japanese writing into `outputFolder` with one worker thread,
// the real encoder (when present) and the shipped key list; nothing is
// remembered. With a gate, every job it starts is held by it.
DialogSetup testSetup(const std::string& outputFolder, std::shared_ptr<FileGate> gate = nullptr);

// The message box the dialog shows, or null.
QMessageBox* shownMessage(const ConverterDialog& dialog);

}  // namespace marlit::test
