#pragma once

#include "base/problem.h"

namespace ordelix {

// The problem of a report that could not take its name, from the Windows
// error of the call that placed it.
Problem place_failure_problem(unsigned long error);

// Where the files stand after ReplaceFileW, given a backup name, failed
// with `error`, as Windows documents each outcome.
enum class ReplaceFailureState {
  // Each file keeps its own name: the old report stands as it was.
  unchanged,
  // The report's name is free and the old report gone (it vanished before
  // the call): nothing keeps the new one from the name.
  name_free,
  // The report's name is free and the old report stands under the backup
  // name: the new one takes the name, or else the old one goes back.
  old_report_at_backup,
};

ReplaceFailureState replace_failure_state(unsigned long error);

}  // namespace ordelix
