#include "converter/platform/gui/converter_dialog.h"

#include <QCloseEvent>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSettings>
#include <algorithm>
#include <filesystem>

#include "converter/convert_job.h"
#include "converter/key_list.h"
#include "converter/platform/gui/conversion_report.h"
#include "converter/platform/gui/remembered_settings.h"
#include "converter/source_folder.h"

namespace marlit {

namespace {

QString text(const char* utf8) {
    return QString::fromUtf8(utf8);
}

}  // namespace

ConverterDialog::ConverterDialog(DialogSetup setup, QWidget* parent)
    : QDialog(parent), setup_(std::move(setup)), texts_(windowTexts(setup_.language)) {
    setWindowTitle(text(texts_.caption));
    if (setup_.language == WindowLanguage::Japanese) {
        // The dialog's own face where it is installed, else a gothic like it.
        QFont face = font();
        face.setFamilies({"MS PGothic", "IPAPGothic", "IPAexGothic", "Noto Sans CJK JP"});
        face.setPointSize(9);
        setFont(face);
    }
    controls_ = buildDialogControls(*this, texts_);
    showSettings(controls_, setup_.settings);
    controls_.encoderVersion->setText(text(texts_.encoderLine)
                                          .arg(setup_.encoderVersion
                                                   ? QString::fromStdString(*setup_.encoderVersion)
                                                   : text(texts_.encoderMissing)));

    connect(controls_.browse, &QPushButton::clicked, this, [this] {
        chooseFolder(texts_.chooseSource, controls_.folder->text(),
                     &ConverterDialog::setSourceFolder);
    });
    connect(controls_.browseOutput, &QPushButton::clicked, this, [this] {
        chooseFolder(texts_.chooseOutput, controls_.output->text(),
                     &ConverterDialog::setOutputFolder);
    });
    connect(controls_.start, &QPushButton::clicked, this, [this] { start(); });
    connect(controls_.cancel, &QPushButton::clicked, this, [this] { cancel(); });
    timer_.setObjectName("progressTimer");
    timer_.setInterval(100);
    connect(&timer_, &QTimer::timeout, this, [this] { tick(); });
    timer_.start();
}

ConverterDialog::~ConverterDialog() {
    if (job_) {
        job_->cancel();
        worker_.join();
    }
}

void ConverterDialog::setSourceFolder(const QString& folder) {
    controls_.folder->setText(
        QString::fromStdString(withoutTrailingSeparator(folder.toStdString())));
}

void ConverterDialog::setOutputFolder(const QString& folder) {
    controls_.output->setText(
        QString::fromStdString(withoutTrailingSeparator(folder.toStdString())));
}

ConvertSettings ConverterDialog::settings() const {
    return shownSettings(controls_, setup_.settings);
}

void ConverterDialog::chooseFolder(const char* title, const QString& from,
                                   void (ConverterDialog::*chosen)(const QString&)) {
    // The desktop's own folder chooser where it has one.
    auto* chooser = new QFileDialog(this, text(title), from);
    chooser->setObjectName("folderChooser");
    chooser->setFileMode(QFileDialog::Directory);
    chooser->setOption(QFileDialog::ShowDirsOnly);
    chooser->setAttribute(Qt::WA_DeleteOnClose);
    connect(chooser, &QFileDialog::fileSelected, this,
            [this, chosen](const QString& folder) { (this->*chosen)(folder); });
    chooser->open();
}

void ConverterDialog::warn(const char* caption, const QString& message, const QString& advice) {
    auto* box =
        new QMessageBox(QMessageBox::Warning, text(caption), message, QMessageBox::Ok, this);
    box->setObjectName("message");
    box->setInformativeText(advice);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open();
}

// The checks before a start, in the dialog's order; false when the job
// may not start (after a message, except for a missing folder).
bool ConverterDialog::startAllowed(const ConvertSettings& s) {
    if (s.sourceFolder.empty())
        return false;
    // Pictures alone need no encoder.
    if ((s.sound || s.voice) && !setup_.encoderVersion) {
        warn(texts_.encoderCaption, text(texts_.encoderText),
             text(texts_.encoderAdvice).arg(QString::fromStdString(setup_.encoderProblem)));
        return false;
    }
    if (!isGameFolder(s.sourceFolder)) {
        warn(texts_.folderCaption, text(texts_.folderText),
             text(texts_.folderAdvice).arg(QString::fromStdString(s.sourceFolder)));
        return false;
    }
    std::error_code ec;
    std::filesystem::create_directories(s.outputFolder, ec);
    if (s.outputFolder.empty() || !std::filesystem::is_directory(s.outputFolder, ec)) {
        warn(texts_.folderCaption,
             text(texts_.outputText).arg(QString::fromStdString(s.outputFolder)), QString());
        return false;
    }
    return true;
}

void ConverterDialog::start() {
    if (job_)
        return;
    ConvertSettings s = settings();
    if (!startAllowed(s))
        return;
    std::string why;
    auto keys = KeyList::load(setup_.keyListPath, &why);
    if (!keys) {
        warn(texts_.dataCaption, text(texts_.keyListText).arg(QString::fromStdString(why)),
             QString());
        return;
    }
    if (setup_.remember)
        rememberSettings(*setup_.remember, s);

    job_ = std::make_unique<ConvertJob>(s, std::move(*keys));
    if (setup_.jobCreated)
        setup_.jobCreated(*job_);
    started_ = std::chrono::steady_clock::now();
    worker_ = std::thread([job = job_.get()] { job->Run(); });
    controls_.settingsArea->setEnabled(false);
    controls_.cancel->setEnabled(true);
    controls_.report->clear();
    tick();
}

void ConverterDialog::cancel() {
    if (!job_)
        return;
    job_->cancel();
    controls_.cancel->setEnabled(false);
    controls_.cancel->setText(text(texts_.cancelling));
}

void ConverterDialog::tick() {
    if (!job_)
        return;
    if (job_->finished()) {
        finishJob();
        return;
    }
    const int done = job_->done();
    const int total = job_->total();
    controls_.status->setText(text(texts_.statusLine)
                                  .arg(QString::number(done), QString::number(total),
                                       QString::fromStdString(job_->currentName())));
    controls_.progress->setRange(0, std::max(total, 1));
    controls_.progress->setValue(std::clamp(done, 0, std::max(total, 1)));
}

void ConverterDialog::finishJob() {
    controls_.status->clear();
    worker_.join();
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - started_).count();
    controls_.report->setPlainText(conversionReport(*job_, seconds, texts_));
    controls_.report->setVisible(true);
    job_.reset();
    controls_.progress->setRange(0, 1);
    controls_.progress->setValue(0);
    controls_.cancel->setText(text(texts_.cancel));
    controls_.cancel->setEnabled(false);
    controls_.settingsArea->setEnabled(true);
    if (closeWhenDone_)
        close();
}

void ConverterDialog::closeEvent(QCloseEvent* event) {
    if (job_) {
        closeWhenDone_ = true;
        cancel();
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

void ConverterDialog::done(int result) {
    if (setup_.remember)
        rememberSettings(*setup_.remember, settings());
    QDialog::done(result);
}

void ConverterDialog::reject() {
    if (job_) {
        closeWhenDone_ = true;
        cancel();
        return;
    }
    QDialog::reject();
}

}  // namespace marlit
