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
};

// Files left out by a cancel count nowhere.
BatchTally batch_tally(const std::vector<BatchOutcome>& outcomes);

// "N converted, M failed, K with warnings"
std::string batch_summary_text(const BatchTally& tally);

// One line of progress, "done/total done, F failed  FILE", at most `width`
// bytes (0: any), shortening the file's path from the front.
std::string batch_progress_text(const BatchProgress& progress, std::size_t width);

}  // namespace ordelix
