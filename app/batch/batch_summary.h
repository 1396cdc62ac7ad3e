#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "batch_outcome.h"

namespace ordelix {

struct BatchTally {
  std::size_t converted = 0;
  std::size_t failed = 0;
  std::size_t with_warnings = 0;  // of those converted
  std::size_t skipped = 0;        // their reports kept
};

// Files left out by a cancel count nowhere.
BatchTally batch_tally(const std::vector<BatchOutcome>& outcomes);

// "N converted, M failed, K with warnings", and ", S skipped" when any were
// or the batch was asked to skip existing reports (`skipping`), so that a
// line a script reads keeps its form through a run.
std::string batch_summary_text(const BatchTally& tally, bool skipping = false);

// One line of progress, "done/total done, F failed  FILE", at most `width`
// bytes (0: any), shortening the file's path from the front.
std::string batch_progress_text(const BatchProgress& progress, std::size_t width);

}  // namespace ordelix
