#include "folder_watch_run.h"

#include "platform/console.h"
#include "platform/file_stamp.h"
#include "report_files.h"

namespace ordelix {
namespace {

bool read_while_changing(const BatchOutcome& outcome) {
  return !outcome.result && outcome.result.error().kind == ProblemKind::changed_while_read;
}

// A report that is not the file's as it converts now, made before the file
// last changed: the file changed after it. Any other is not trusted.
bool report_older(const BatchJob& job, const BatchOutcome& outcome) {
  if (outcome.result || outcome.result.error().kind != ProblemKind::existing_report_differs)
    return false;
  std::optional<FileStamp> input = file_stamp(job.input);
  std::optional<FileStamp> report = file_stamp(job.target);
  return input && report && report->modified_ns < input->modified_ns;
}

// A file that changed while it was read waits again, untold; a report older
// than its file is kept, and told as such, not as a failure.
class WhileWatching final : public BatchObserver {
 public:
  WhileWatching(WatchObserver& observer, const std::vector<BatchJob>& jobs)
      : observer_(observer), jobs_(jobs) {}
  void progressed(const BatchProgress& progress) override { observer_.progressed(progress); }
  void reported(std::size_t index, const BatchOutcome& outcome) override {
    if (read_while_changing(outcome)) return;
    if (!report_older(jobs_[index], outcome)) return observer_.reported(index, outcome);
    observer_.report_kept(index, Problem(ProblemKind::existing_report_older));
  }

 private:
  WatchObserver& observer_;
  const std::vector<BatchJob>& jobs_;
};

// Each file saves through a batch as one named on the command line would.
class BatchActions final : public WatchActions {
 public:
  BatchActions(const WatchRequest& request, const BatchSettings& settings, WatchObserver& observer)
      : request_(request), settings_(settings), observer_(observer) {}

  std::vector<bool> convert(const std::vector<BatchInput>& inputs) override {
    std::vector<BatchJob> jobs;
    std::vector<std::string> paths, targets;
    for (const BatchInput& input : inputs) {
      jobs.push_back(job_of(input));
      paths.push_back(input.path);
      targets.push_back(jobs.back().target);
    }
    observer_.batch_files(std::move(paths), std::move(targets));
    WhileWatching told(observer_, jobs);
    std::vector<BatchOutcome> outcomes = batch_save_reports(jobs, settings_, told);
    std::vector<bool> whole;
    for (std::size_t i = 0; i < outcomes.size(); ++i) {
      whole.push_back(!read_while_changing(outcomes[i]));
      if (!whole.back()) continue;
      if (report_older(jobs[i], outcomes[i])) outcomes[i] = kept_older();
      kept_.push_back(std::move(outcomes[i]));
    }
    return whole;
  }

  void folder_failed(const std::string& folder, const Problem& problem) override {
    observer_.folder_failed(folder, problem);
    ++folders_failed_;
  }

  static BatchOutcome kept_older() {
    BatchOutcome kept;
    kept.attempted = kept.skipped = true;
    return kept;
  }

  BatchTally tally() const {
    BatchTally tally = batch_tally(kept_);
    tally.failed += folders_failed_;
    return tally;
  }

 private:
  // Alone, the file cannot clash with another; one that takes the report's
  // name of another after it fails as the report exists.
  BatchJob job_of(const BatchInput& input) const {
    return batch_plan({input}, {}, request_.report_folder, settings_.format).jobs.front();
  }

  const WatchRequest& request_;
  const BatchSettings& settings_;
  WatchObserver& observer_;
  std::vector<BatchOutcome> kept_;
  std::size_t folders_failed_ = 0;
};

}  // namespace

Result<WatchEnd> watch_folders(const WatchRequest& request, const BatchSettings& settings,
                               WatchObserver& observer) {
  Result<std::unique_ptr<FolderChanges>> changes = folder_changes_open();
  if (!changes) return std::move(changes).error();
  BatchSettings batch = settings;
  batch.cancel = &console_stop_flag();
  // A complete report is kept whatever its age, as -n keeps it; consent
  // replaces any other.
  batch.on_existing = settings.on_existing == OnExistingReport::replace
                          ? OnExistingReport::keep_or_replace
                          : OnExistingReport::skip;
  BatchActions actions(request, batch, observer);
  SteadyWatchClock clock;
  FolderWatch watch(request.watch, *changes.value(), clock, actions);
  if (!watch.start()) return WatchEnd{actions.tally(), false};
  observer.watch_started();
  while (!console_stop_flag().load()) watch.step();
  return WatchEnd{actions.tally(), true};
}

}  // namespace ordelix
