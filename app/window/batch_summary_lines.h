#pragma once

#include <QString>
#include <QStringList>
#include <vector>

#include "core/ordelix.h"

namespace ordelix {

// A file whose report was made with warnings, and their words.
struct WarnedFile {
  QString file;
  QStringList warnings;
};

struct BatchSummaryLines {
  QString text;
  QStringList failures;
  QStringList skipped;
  std::vector<WarnedFile> warned;
};

// What the summary of a batch shows: the tally, with `problems` (failures
// found while looking for the files) counted and listed first, and how many
// files a cancel left; each file that gave no report and why, naming its
// report when that is what failed; each file skipped for its report; each
// file converted with warnings.
BatchSummaryLines batch_summary_lines(const std::vector<BatchJob>& jobs,
                                      const std::vector<BatchOutcome>& outcomes,
                                      const QStringList& problems, bool skipping);

}  // namespace ordelix
