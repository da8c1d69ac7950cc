// The last settings and folders of convMarlitPC's window, kept between runs
// where the desktop keeps programs' settings (QSettings).
#pragma once

#include "converter/convert_settings.h"

class QSettings;

namespace marlit {

// The settings kept in `store`. The file is the user's to edit: a value
// that is missing, not a number or out of its range keeps the one of
// `defaults`. The job count is never kept.
ConvertSettings loadRememberedSettings(const QSettings& store, ConvertSettings defaults);

// Keeps the settings and folders in `store`.
void rememberSettings(QSettings& store, const ConvertSettings& settings);

}  // namespace marlit
