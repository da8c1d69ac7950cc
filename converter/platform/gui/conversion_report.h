// What the window tells after a conversion: the files written with their
// sizes, the time taken, what could not be converted, and a cancel.
#pragma once

#include <QString>

#include "converter/platform/gui/window_texts.h"

namespace marlit {

class ConvertJob;

// The report of a finished job that took `seconds`.
QString conversionReport(const ConvertJob& job, double seconds, const WindowTexts& texts);

}  // namespace marlit
