#pragma once

#include <chrono>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "base/problem.h"
#include "batch/batch_inputs.h"
#include "platform/file_stamp.h"
#include "platform/folder_changes.h"

namespace ordelix {

using WatchTime = std::chrono::steady_clock::time_point;

class WatchClock {
 public:
  virtual ~WatchClock() = default;
  virtual WatchTime now() = 0;
};

class SteadyWatchClock final : public WatchClock {
 public:
  WatchTime now() override { return std::chrono::steady_clock::now(); }
};

// What a watch has done with the files it decides on.
class WatchActions {
 public:
  virtual ~WatchActions() = default;
  // Converts the files and saves their reports, keeping those that stand
  // complete as they convert now; for each, in their order, whether it was
  // read whole: false when it changed while it was read.
  virtual std::vector<bool> convert(const std::vector<BatchInput>& inputs) = 0;
  // A watched folder that cannot be read or watched; told again only after
  // it could be once more.
  virtual void folder_failed(const std::string& folder, const Problem& problem) = 0;
};

struct WatchSettings {
  std::vector<std::string> folders;
  bool recursive = false;
  std::chrono::milliseconds settle{2000};  // how long a file stands unchanged before it is read
  std::chrono::milliseconds poll{30000};   // how often the folders are looked through whole
};

// The export files of watched folders (named for a measurement mode, not
// hidden nor an office program's lock file; in subfolders too when
// `recursive`), each converted once it has stood unchanged in size and time
// for `settle`, and again only after it changes. A file read while it
// changed waits anew. The folders are
// looked through at the start, every `poll`, and whenever the system's news
// was lost, for what its news does not tell (network shares).
class FolderWatch {
 public:
  FolderWatch(WatchSettings settings, FolderChanges& changes, WatchClock& clock,
              WatchActions& actions);

  // Watches the folders and looks through them; false when one of them
  // cannot be watched or read.
  bool start();
  // Waits for news, the next file due to stand still, or the next look
  // through, and does what is due.
  void step();

 private:
  struct Waiting {
    BatchInput input;
    FileStamp stamp;
    WatchTime since;  // unchanged since
  };

  // False when a folder cannot be watched or read.
  bool scan();
  // False when there were any.
  bool tell_folder_problems(const std::vector<FolderProblem>& problems);
  // False when the change calls for a look through the folders.
  bool entry_changed(const std::string& path);
  void consider(const BatchInput& input);
  void forget(const std::string& path);
  void convert_settled();
  WatchTime next_due() const;

  WatchSettings settings_;
  FolderChanges& changes_;
  WatchClock& clock_;
  WatchActions& actions_;
  std::map<std::string, Waiting> waiting_;    // by path
  std::map<std::string, FileStamp> handled_;  // by path: as converted, or failed
  std::set<std::string> failed_folders_;      // told as such
  std::set<std::string> watched_;             // at the last look through
  WatchTime next_scan_{};
};

}  // namespace ordelix
