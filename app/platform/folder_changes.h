#pragma once

#include <chrono>
#include <memory>
#include <string>
#include <vector>

#include "base/result.h"

namespace ordelix {

// What the system tells of a watched folder.
struct FolderChange {
  enum class Kind {
    entry,   // something at `path` was made, written, renamed or removed
    rescan,  // news was lost: whatever is in the watched folders may have changed
  };
  Kind kind;
  std::string path;  // for an entry: its path, joined to the folder as given to watch()
};

// The system's news of changes in folders, waited for without spinning.
class FolderChanges {
 public:
  virtual ~FolderChanges() = default;

  // Watches `folder`; again for a folder watched already, which it then
  // keeps. Where the system watches a folder with those below it at once, it
  // does so for `with_subfolders`, and a folder below one so watched is
  // watched already. Error: cannot_watch_folder.
  virtual Result<void> watch(const std::string& folder, bool with_subfolders) = 0;

  // What happened since the last call; when nothing has, waits for it up to
  // `timeout`. Returns at once, empty, once a stop is requested (see
  // console_stop_on_request).
  virtual std::vector<FolderChange> wait(std::chrono::milliseconds timeout) = 0;
};

// The system's. Error: cannot_watch_folder where it offers no watch.
Result<std::unique_ptr<FolderChanges>> folder_changes_open();

}  // namespace ordelix
