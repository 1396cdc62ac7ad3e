#pragma once

#include <cstddef>
#include <string>

#include "base/result.h"

namespace ordelix {

struct BatchOutcome {
  bool attempted = false;  // false for a file left out when the batch was cancelled
  bool skipped = false;    // its report stood complete already and was kept, not made
  Result<void> result;     // the report made or kept, or why not
  Problems warnings;

  bool converted() const { return attempted && !skipped && result.ok(); }
};

struct BatchProgress {
  std::size_t done = 0;
  std::size_t failed = 0;
  std::size_t total = 0;
  std::string current;  // the export file taken up last
};

// Told how a batch goes; as it stands, by nothing, for a caller that waits
// for the outcomes.
class BatchObserver {
 public:
  virtual ~BatchObserver() = default;
  // A file was taken up or finished. Called from the workers, one call at a time.
  virtual void progressed(const BatchProgress&) {}
  // The final outcome of an attempted file, in the order of the files, one
  // call at a time, from the caller's thread or one of the batch's own.
  virtual void reported(std::size_t /*index*/, const BatchOutcome&) {}
};

}  // namespace ordelix
