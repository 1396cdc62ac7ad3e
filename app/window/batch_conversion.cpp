#include "batch_conversion.h"

#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QTimer>
#include <algorithm>
#include <atomic>
#include <mutex>
#include <thread>

#include "core/ordelix.h"
#include "platform/paths.h"
#include "window_dialogs.h"

namespace ordelix {
namespace {

// Polled by the window's thread while the batch runs on its own.
class SharedProgress : public BatchObserver {
 public:
  void progressed(const BatchProgress& progress) override {
    std::lock_guard lock(mutex_);
    progress_ = progress;
  }

  BatchProgress snapshot() {
    std::lock_guard lock(mutex_);
    return progress_;
  }

 private:
  std::mutex mutex_;
  BatchProgress progress_;
};

QString decoded(const std::string& path) {
  return QFile::decodeName(path.c_str());
}

// The export file, why it gave no report, and the report's name when that is what it is about.
QString failure_line(const BatchJob& job, const Problem& problem) {
  std::string why = failure_words(problem, decoded(job.target).toStdString(), /*replace_hint=*/{});
  return QObject::tr("%1: %2").arg(decoded(job.input), QString::fromStdString(why));
}

// How many of the reports have a regular file standing at their names.
int reports_standing(const std::vector<BatchJob>& jobs) {
  return static_cast<int>(std::count_if(jobs.begin(), jobs.end(), [](const BatchJob& job) {
    return path_kind(job.target) == PathKind::regular;
  }));
}

// Runs the batch on a thread of its own while the window's events go on.
std::vector<BatchOutcome> run_with_progress(QWidget* parent, WindowDialogs& dialogs,
                                            const std::vector<BatchJob>& jobs,
                                            OnExistingReport on_existing) {
  std::atomic<bool> cancel{false};
  std::atomic<bool> finished{false};
  BatchSettings settings;
  settings.workers = default_workers();
  settings.on_existing = on_existing;
  settings.create_folders = true;
  settings.cancel = &cancel;
  SharedProgress shared;
  std::vector<BatchOutcome> outcomes;
  std::thread batch([&] {
    outcomes = batch_save_reports(jobs, settings, shared);
    finished = true;
  });

  std::unique_ptr<BatchProgressView> view =
      dialogs.showProgress(parent, static_cast<int>(jobs.size()));
  QEventLoop loop;
  QTimer poll;
  QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
    view->update(shared.snapshot());
    if (view->cancelled()) cancel = true;
    if (finished) loop.quit();
  });
  poll.start(50);
  loop.exec();
  batch.join();
  return outcomes;
}

}  // namespace

void batch_conversion_run(QWidget* parent, WindowDialogs& dialogs,
                          const std::vector<BatchInput>& files, const QStringList& problems) {
  QString folder =
      dialogs.chooseReportFolder(parent, QFileInfo(decoded(files.front().path)).path());
  if (folder.isEmpty()) return;
  BatchPlan plan = batch_plan(files, {}, QFile::encodeName(folder).toStdString());
  if (plan.clash) {
    dialogs.showFailure(
        parent, QObject::tr("%1 and %2 would both write %3; nothing was converted")
                    .arg(decoded(files[plan.clash->first].path),
                         decoded(files[plan.clash->second].path), decoded(plan.clash_target)));
    return;
  }
  const std::vector<BatchJob>& jobs = plan.jobs;
  // Reports are never replaced from the window: those standing are kept, or nothing is done.
  bool skipping = false;
  if (int standing = reports_standing(jobs); standing > 0) {
    if (!dialogs.skipExistingReports(parent, standing)) return;
    skipping = true;
  }

  std::vector<BatchOutcome> outcomes = run_with_progress(
      parent, dialogs, jobs, skipping ? OnExistingReport::skip : OnExistingReport::refuse);
  BatchTally tally = batch_tally(outcomes);
  tally.failed += static_cast<std::size_t>(problems.size());
  QStringList failures = problems;
  QStringList skipped;
  std::size_t left = 0;
  for (std::size_t i = 0; i < outcomes.size(); ++i) {
    left += !outcomes[i].attempted;
    if (outcomes[i].skipped)
      skipped << QObject::tr("%1: its report exists: %2")
                     .arg(decoded(jobs[i].input), decoded(jobs[i].target));
    if (!outcomes[i].result) failures << failure_line(jobs[i], outcomes[i].result.error());
  }
  QString summary = QString::fromStdString(batch_summary_text(tally, skipping));
  if (left > 0)
    summary += QObject::tr("\nCancelled: %1 left unconverted")
                   .arg(left == 1 ? QObject::tr("1 file") : QObject::tr("%1 files").arg(left));
  dialogs.showBatchSummary(parent, summary, failures, skipped);
}

}  // namespace ordelix
