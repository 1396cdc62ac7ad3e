#pragma once

#include <QStringList>
#include <vector>

#include "core/ordelix.h"

class QWidget;

namespace ordelix {

class WindowDialogs;

// Asks first where the reports go. Into a folder: asks for it, and once
// whether to skip the files whose reports stand there already; converts the
// others into it with a progress dialog that can stop the batch (what is done
// stays done), then shows a summary with every failure and its reason, and
// the files skipped. Into one workbook: as combined_conversion_run.
// `problems` are failures found before, while looking for the files. Nothing
// happens when neither is chosen, no folder is chosen, or the skip is declined.
void batch_conversion_run(QWidget* parent, WindowDialogs& dialogs,
                          const std::vector<BatchInput>& files, const QStringList& problems);

}  // namespace ordelix
