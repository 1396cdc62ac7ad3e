#include "folder_watch_run.h"

#include "platform/console.h"
#include "report_files.h"

namespace ordelix {
namespace {

bool read_while_changing(const BatchOutcome& outcome) {
  return !outcome.result && outcome.result.error().kind == ProblemKind::changed_while_read;
}

// A file that changed while it was read waits again, untold.
class WhileWatching final : public BatchObserver {
 public:
  explicit WhileWatching(WatchObserver& observer) : observer_(observer) {}
  void progressed(const BatchProgress& progress) override { observer_.progressed(progress); }
  void reported(std::size_t index, const BatchOutcome& outcome) override {
    if (!read_while_changing(outcome)) observer_.reported(index, outcome);
  }

 private:
  WatchObserver& observer_;
};

// Each file saves through a batch as one named on the command line would.
class BatchActions final : public WatchActions {
 public:
  BatchActions(const WatchRequest& request, const BatchSettings& settings, WatchObserver& observer)
      : request_(request), settings_(settings), observer_(observer) {}

  std::string report_of(const BatchInput& input) override { return job_of(input).target; }

  std::vector<bool> convert(const std::vector<BatchInput>& inputs) override {
    std::vector<BatchJob> jobs;
    std::vector<std::string> paths, targets;
    for (const BatchInput& input : inputs) {
      jobs.push_back(job_of(input));
      paths.push_back(input.path);
      targets.push_back(jobs.back().target);
    }
    observer_.batch_files(std::move(paths), std::move(targets));
    WhileWatching told(observer_);
    std::vector<BatchOutcome> outcomes = batch_save_reports(jobs, settings_, told);
    std::vector<bool> whole;
    for (BatchOutcome& outcome : outcomes) {
      whole.push_back(!read_while_changing(outcome));
      if (whole.back()) kept_.push_back(std::move(outcome));
    }
    return whole;
  }

  void folder_failed(const std::string& folder, const Problem& problem) override {
    observer_.folder_failed(folder, problem);
    ++folders_failed_;
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

Result<BatchTally> watch_folders(const WatchRequest& request, const BatchSettings& settings,
                                 WatchObserver& observer) {
  Result<std::unique_ptr<FolderChanges>> changes = folder_changes_open();
  if (!changes) return std::move(changes).error();
  BatchSettings batch = settings;
  batch.cancel = &console_stop_flag();
  BatchActions actions(request, batch, observer);
  SteadyWatchClock clock;
  FolderWatch watch(request.watch, *changes.value(), clock, actions);
  watch.start();
  observer.watch_started();
  while (!console_stop_flag().load()) watch.step();
  return actions.tally();
}

}  // namespace ordelix
