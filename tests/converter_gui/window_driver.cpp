#include "tests/converter_gui/window_driver.h"

#include "converter/convert_job.h"
#include "converter/key_list.h"
#include "converter/platform/mp3_encoder.h"

namespace marlit::test {

void FileGate::arrive(const std::string& name) {
    if (name == "chip.rbp")
        return;
    std::unique_lock lock(mutex_);
    ++arrivals_;
    if (open_)
        return;
    held_ = name;
    changed_.wait(lock, [&] { return open_ || held_.empty(); });
}

std::string FileGate::held() {
    std::lock_guard lock(mutex_);
    return held_;
}

void FileGate::release() {
    {
        std::lock_guard lock(mutex_);
        held_.clear();
    }
    changed_.notify_all();
}

void FileGate::open() {
    {
        std::lock_guard lock(mutex_);
        open_ = true;
        held_.clear();
    }
    changed_.notify_all();
}

int FileGate::arrivals() {
    std::lock_guard lock(mutex_);
    return arrivals_;
}

DialogSetup testSetup(const std::string& outputFolder, std::shared_ptr<FileGate> gate) {
    DialogSetup setup;
    setup.settings.outputFolder = outputFolder;
    setup.settings.jobs = 1;
    setup.encoderVersion = probeMp3EncoderVersion(&setup.encoderProblem);
    setup.keyListPath = defaultKeyListPath();
    setup.language = WindowLanguage::Japanese;
    if (gate) {
        setup.jobCreated = [gate](ConvertJob& job) {
            job.watchFiles([gate](const std::string& name) { gate->arrive(name); });
        };
    }
    return setup;
}

QMessageBox* shownMessage(const ConverterDialog& dialog) {
    auto* box = dialog.findChild<QMessageBox*>("message");
    return box && box->isVisible() ? box : nullptr;
}

}  // namespace marlit::test
