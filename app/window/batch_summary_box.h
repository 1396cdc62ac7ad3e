#pragma once

#include <QString>
#include <memory>

#include "batch_summary_lines.h"

class QMessageBox;
class QWidget;

namespace ordelix {

// The summary a batch ends with, not yet shown: the tally; each file whose
// report has warnings, with its first; under Details, every failure, every
// warning and the files skipped; and, given the `folder` the reports went
// to, a button that shows it (named "ShowFolderButton"), which closes the box.
std::unique_ptr<QMessageBox> batch_summary_box(QWidget* parent, const BatchSummaryLines& lines,
                                               const QString& folder);

}  // namespace ordelix
