#pragma once

#include <string>

namespace ordelix {

// While one of these lives, a SIGINT or SIGTERM removes its file before the
// process ends as the signal would have ended it. For unfinished files under
// names of their own; any thread may hold some. The handlers go in with the
// first, and not for a signal the process ignores.
class RemovalOnSignal {
 public:
  explicit RemovalOnSignal(const std::string& path);
  ~RemovalOnSignal();
  RemovalOnSignal(const RemovalOnSignal&) = delete;
  RemovalOnSignal& operator=(const RemovalOnSignal&) = delete;

 private:
  int slot_ = -1;  // none when every slot was taken
};

}  // namespace ordelix
