#pragma once

#include <QStringList>
#include <vector>

#include "core/ordelix.h"

class QWidget;

namespace ordelix {

class WindowDialogs;

// Asks where to save one report combining the files (a workbook with a sheet
// for each, or their data as one JSON array; the dialog asks before replacing
// a file), converts them with a progress dialog, and saves it as the
// converter's --combine does. A cancel saves nothing. The summary lists each
// file that gave no report and why, `problems` (failures found while looking
// for the files) first. Nothing happens when no name is chosen.
void combined_conversion_run(QWidget* parent, WindowDialogs& dialogs,
                             const std::vector<BatchInput>& files, const QStringList& problems);

}  // namespace ordelix
