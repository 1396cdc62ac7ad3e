// What a failed placing of a report means, for every outcome Windows
// documents for ReplaceFileW given a backup name; wine shows only some of
// them (windows_platform_test.cpp), so each is checked here by its code.

#include <windows.h>

#include <cerrno>

#include <gtest/gtest.h>

#include "platform/windows/place_failure.h"

namespace ordelix {
namespace {

TEST(WindowsReplaceFailure, EachDocumentedErrorTellsWhereTheOldReportStands) {
  // The old report was moved to the backup name and the new one could not
  // take the name: the name is free and the old report must not be lost.
  EXPECT_EQ(replace_failure_state(ERROR_UNABLE_TO_MOVE_REPLACEMENT_2),
            ReplaceFailureState::old_report_at_backup);
  // With a backup name given, both keep their names.
  EXPECT_EQ(replace_failure_state(ERROR_UNABLE_TO_MOVE_REPLACEMENT),
            ReplaceFailureState::unchanged);
  // The old report could not be removed: nothing moved.
  EXPECT_EQ(replace_failure_state(ERROR_UNABLE_TO_REMOVE_REPLACED), ReplaceFailureState::unchanged);
  // The report vanished before the call.
  EXPECT_EQ(replace_failure_state(ERROR_FILE_NOT_FOUND), ReplaceFailureState::name_free);
  // Any other error keeps every name.
  for (DWORD other : {ERROR_SHARING_VIOLATION, ERROR_ACCESS_DENIED, ERROR_INVALID_PARAMETER,
                      ERROR_PATH_NOT_FOUND, ERROR_DISK_FULL, ERROR_LOCK_VIOLATION}) {
    SCOPED_TRACE(other);
    EXPECT_EQ(replace_failure_state(other), ReplaceFailureState::unchanged);
  }
}

TEST(WindowsReplaceFailure, AReportHeldOpenIsInUseAndOtherFailuresKeepTheirReason) {
  for (DWORD held : {ERROR_SHARING_VIOLATION, ERROR_LOCK_VIOLATION, ERROR_UNABLE_TO_REMOVE_REPLACED,
                     ERROR_USER_MAPPED_FILE}) {
    SCOPED_TRACE(held);
    Problem p = place_failure_problem(held);
    EXPECT_EQ(p.kind, ProblemKind::target_in_use);
    EXPECT_EQ(p.sys_errno, EBUSY);
  }
  for (DWORD taken : {ERROR_ALREADY_EXISTS, ERROR_FILE_EXISTS})
    EXPECT_EQ(place_failure_problem(taken).kind, ProblemKind::target_exists);
  EXPECT_EQ(place_failure_problem(ERROR_INVALID_NAME).kind, ProblemKind::target_name_refused);

  struct Case {
    DWORD error;
    int sys_errno;
  };
  for (Case c : {Case{ERROR_ACCESS_DENIED, EACCES}, Case{ERROR_DISK_FULL, ENOSPC},
                 Case{ERROR_FILE_NOT_FOUND, ENOENT}, Case{ERROR_UNABLE_TO_MOVE_REPLACEMENT, EIO},
                 Case{ERROR_UNABLE_TO_MOVE_REPLACEMENT_2, EIO}}) {
    SCOPED_TRACE(c.error);
    Problem p = place_failure_problem(c.error);
    EXPECT_EQ(p.kind, ProblemKind::cannot_place);
    EXPECT_EQ(p.sys_errno, c.sys_errno);
  }
}

}  // namespace
}  // namespace ordelix
