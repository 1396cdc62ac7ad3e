// A page is handed its files whole: nothing in it is watched, and nothing
// outside it asks it to stop.

#include <cerrno>

#include "platform/console.h"
#include "platform/file_stamp.h"
#include "platform/folder_changes.h"

namespace ordelix {

std::optional<FileStamp> file_stamp(const std::string&) {
  return std::nullopt;
}

bool file_open_for_writing(const std::string&) {
  return false;
}

Result<std::unique_ptr<FolderChanges>> folder_changes_open() {
  return Problem(ProblemKind::cannot_watch_folder, ENOSYS);
}

void console_stop_on_request() {}

const std::atomic<bool>& console_stop_flag() {
  static const std::atomic<bool> never{false};
  return never;
}

}  // namespace ordelix
