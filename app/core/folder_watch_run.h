#pragma once

#include <string>
#include <vector>

#include "base/problem.h"
#include "batch/batch_summary.h"
#include "batch_run.h"
#include "watch/folder_watch.h"

namespace ordelix {

struct WatchRequest {
  WatchSettings watch;
  std::string report_folder;  // "": each report beside its export file
};

// Told how a watch goes: that it is in place, each batch of files that
// stood still as a batch is told, and the folders it cannot read or watch.
class WatchObserver : public BatchObserver {
 public:
  // The folders are watched and were looked through once.
  virtual void watch_started() = 0;
  // The files of the batch about to start, by the indices it reports them
  // under, and where their reports go.
  virtual void batch_files(std::vector<std::string> inputs, std::vector<std::string> targets) = 0;
  virtual void folder_failed(const std::string& folder, const Problem& problem) = 0;
  // The file's report stands and is kept, for `why`; no failure.
  virtual void report_kept(std::size_t index, const Problem& why) = 0;
};

struct WatchEnd {
  BatchTally tally;
  bool watched = true;  // false: a folder could not be watched or read at the start
};

// Watches the folders and converts their export files as they come and
// change (see FolderWatch), each through a batch of `settings`, until a stop
// is requested: console_stop_on_request must have been called. A report that
// stands is kept when it is the file's as it converts now, and replaced with
// consent; one older than its file otherwise is kept and told. The files'
// tally, or when a folder failed at the start, the tally so far. Error:
// cannot_watch_folder, where the system offers no watch.
Result<WatchEnd> watch_folders(const WatchRequest& request, const BatchSettings& settings,
                               WatchObserver& observer);

}  // namespace ordelix
