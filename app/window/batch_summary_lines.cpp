#include "batch_summary_lines.h"

#include <QFile>
#include <QObject>

#include "warnings_panel.h"

namespace ordelix {
namespace {

QString decoded(const std::string& path) {
  return QFile::decodeName(path.c_str());
}

QString failure_line(const BatchJob& job, const Problem& problem) {
  std::string why = failure_words(problem, decoded(job.target).toStdString(), /*replace_hint=*/{});
  return QObject::tr("%1: %2").arg(decoded(job.input), QString::fromStdString(why));
}

}  // namespace

BatchSummaryLines batch_summary_lines(const std::vector<BatchJob>& jobs,
                                      const std::vector<BatchOutcome>& outcomes,
                                      const QStringList& problems, bool skipping) {
  BatchSummaryLines lines;
  BatchTally tally = batch_tally(outcomes);
  tally.failed += static_cast<std::size_t>(problems.size());
  lines.failures = problems;
  std::size_t left = 0;
  for (std::size_t i = 0; i < outcomes.size(); ++i) {
    left += !outcomes[i].attempted;
    if (outcomes[i].skipped)
      lines.skipped << QObject::tr("%1: its report exists: %2")
                           .arg(decoded(jobs[i].input), decoded(jobs[i].target));
    if (!outcomes[i].result) lines.failures << failure_line(jobs[i], outcomes[i].result.error());
    if (outcomes[i].converted() && !outcomes[i].warnings.empty()) {
      WarnedFile& warned = lines.warned.emplace_back(WarnedFile{decoded(jobs[i].input), {}});
      for (const Problem& warning : outcomes[i].warnings)
        warned.warnings << warning_entry_text(warning);
    }
  }
  lines.text = QString::fromStdString(batch_summary_text(tally, skipping));
  if (left > 0)
    lines.text += QObject::tr("\nCancelled: %1 left unconverted")
                      .arg(left == 1 ? QObject::tr("1 file") : QObject::tr("%1 files").arg(left));
  return lines;
}

}  // namespace ordelix
