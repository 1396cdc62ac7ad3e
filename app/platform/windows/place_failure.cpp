#include "place_failure.h"

#include <windows.h>

#include <cerrno>

#include "windows_errors.h"

namespace ordelix {
namespace {

bool in_use(DWORD error) {
  return error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION ||
         error == ERROR_UNABLE_TO_REMOVE_REPLACED || error == ERROR_USER_MAPPED_FILE;
}

}  // namespace

Problem place_failure_problem(unsigned long error) {
  if (error == ERROR_ALREADY_EXISTS || error == ERROR_FILE_EXISTS)
    return Problem(ProblemKind::target_exists, EEXIST);
  if (in_use(error)) return Problem(ProblemKind::target_in_use, EBUSY);
  // A name with a character the file system keeps out, as "?" or "|".
  if (error == ERROR_INVALID_NAME) return Problem(ProblemKind::target_name_refused, EINVAL);
  return Problem(ProblemKind::cannot_place, errno_of(error));
}

// With a backup name, ERROR_UNABLE_TO_MOVE_REPLACEMENT leaves both files
// under their names; only without one does it mean the old report is gone.
// Any error not listed changes no name.
ReplaceFailureState replace_failure_state(unsigned long error) {
  switch (error) {
    case ERROR_UNABLE_TO_MOVE_REPLACEMENT_2:
      return ReplaceFailureState::old_report_at_backup;
    case ERROR_FILE_NOT_FOUND:
      return ReplaceFailureState::name_free;
    default:
      return ReplaceFailureState::unchanged;
  }
}

}  // namespace ordelix
