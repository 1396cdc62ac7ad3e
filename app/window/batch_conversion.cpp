#include "batch_conversion.h"

#include <QFile>
#include <QFileInfo>
#include <algorithm>

#include "batch_progress.h"
#include "batch_summary_lines.h"
#include "combined_conversion.h"
#include "core/ordelix.h"
#include "window_dialogs.h"

namespace ordelix {
namespace {

// How many of the reports have a regular file standing at their names.
int reports_standing(const std::vector<BatchJob>& jobs) {
  return static_cast<int>(std::count_if(jobs.begin(), jobs.end(), [](const BatchJob& job) {
    QFileInfo report(QFile::decodeName(job.target.c_str()));
    return report.isFile() && !report.isSymLink();
  }));
}

void folder_conversion_run(QWidget* parent, WindowDialogs& dialogs,
                           const std::vector<BatchInput>& files, const QStringList& problems) {
  QString folder = dialogs.chooseReportFolder(
      parent, QFileInfo(QFile::decodeName(files.front().path.c_str())).path());
  if (folder.isEmpty()) return;
  BatchPlan plan = batch_plan(files, {}, QFile::encodeName(folder).toStdString());
  if (plan.clash) {
    dialogs.showFailure(parent, QObject::tr("%1 and %2 would both write %3; nothing was converted")
                                    .arg(QFile::decodeName(files[plan.clash->first].path.c_str()),
                                         QFile::decodeName(files[plan.clash->second].path.c_str()),
                                         QFile::decodeName(plan.clash_target.c_str())));
    return;
  }
  const std::vector<BatchJob>& jobs = plan.jobs;
  // Reports are never replaced from the window: those standing are kept, or nothing is done.
  bool skipping = false;
  if (int standing = reports_standing(jobs); standing > 0) {
    if (!dialogs.skipExistingReports(parent, standing)) return;
    skipping = true;
  }

  std::vector<BatchOutcome> outcomes;
  batch_run_with_progress(parent, dialogs, static_cast<int>(jobs.size()),
                          [&](BatchObserver& observer, const std::atomic<bool>& cancel) {
                            BatchSettings settings;
                            settings.workers = default_workers();
                            settings.on_existing =
                                skipping ? OnExistingReport::skip : OnExistingReport::refuse;
                            settings.create_folders = true;
                            settings.cancel = &cancel;
                            outcomes = batch_save_reports(jobs, settings, observer);
                          });
  BatchSummaryLines lines = batch_summary_lines(jobs, outcomes, problems, skipping);
  bool any_report = std::any_of(outcomes.begin(), outcomes.end(), [](const BatchOutcome& outcome) {
    return outcome.converted() || outcome.skipped;
  });
  dialogs.showBatchSummary(parent, lines, any_report ? folder : QString());
}

}  // namespace

void batch_conversion_run(QWidget* parent, WindowDialogs& dialogs,
                          const std::vector<BatchInput>& files, const QStringList& problems) {
  switch (dialogs.chooseBatchOutput(parent, static_cast<int>(files.size()))) {
    case BatchOutput::folder:
      folder_conversion_run(parent, dialogs, files, problems);
      return;
    case BatchOutput::combined:
      combined_conversion_run(parent, dialogs, files, problems);
      return;
    case BatchOutput::cancel:
      return;
  }
}

}  // namespace ordelix
