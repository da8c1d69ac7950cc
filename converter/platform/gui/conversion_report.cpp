#include "converter/platform/gui/conversion_report.h"

#include <QStringList>

#include "converter/convert_job.h"

namespace marlit {

QString conversionReport(const ConvertJob& job, double seconds, const WindowTexts& t) {
    QStringList lines;
    if (job.cancelled())
        lines << QString::fromUtf8(t.reportCancelled);
    lines << QString::fromUtf8(t.reportWritten);
    qulonglong bytes = 0;
    for (const auto& out : job.outputs()) {
        lines << QString::fromUtf8(t.reportFile)
                     .arg(QString::fromStdString(out.path))
                     .arg(static_cast<qulonglong>(out.size));
        bytes += out.size;
    }
    if (job.outputs().empty())
        lines << QString::fromUtf8(t.reportNothing);
    lines << QString::fromUtf8(t.reportSummary)
                 .arg(static_cast<qulonglong>(job.outputs().size()))
                 .arg(bytes)
                 .arg(seconds, 0, 'f', 2);
    if (!job.failures().empty()) {
        lines << QString::fromUtf8(t.reportFailed).arg(job.failures().size());
        for (const auto& f : job.failures()) {
            lines << QStringLiteral("  %1: %2")
                         .arg(QString::fromStdString(f.name), QString::fromStdString(f.reason));
        }
    }
    return lines.join('\n');
}

}  // namespace marlit
