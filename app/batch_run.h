#pragma once

#include <atomic>
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "conversion.h"
#include "problem.h"

namespace ordelix {

struct BatchJob {
  std::string input;
  std::string target;  // where the report is saved
};

struct BatchOutcome {
  bool attempted = false;  // false for a file left out when the batch was cancelled
  std::optional<Problem> error;
  Problems warnings;

  bool converted() const { return attempted && !error; }
};

struct BatchProgress {
  std::size_t done = 0;
  std::size_t failed = 0;
  std::size_t total = 0;
  std::string current;  // the export file taken up last
};

class BatchObserver {
 public:
  virtual ~BatchObserver() = default;
  // A file was taken up or finished. Called from the workers, one call at a time.
  virtual void progressed(const BatchProgress& progress) = 0;
  // The final outcome of an attempted file, in the order of the files, one
  // call at a time, from the caller's thread or one of the batch's own.
  virtual void reported(std::size_t index, const BatchOutcome& outcome) = 0;
};

struct BatchSettings {
  unsigned workers = 1;
  bool replace_existing = false;
  bool create_folders = false;                // make the report's folder when missing
  bool refuse_warned = false;                 // a file with warnings gives no report
  const std::atomic<bool>* cancel = nullptr;  // once set, files not yet taken up are left
};

// Converts each export file and saves its report at its target. Every file
// converts on its own, as it would alone; the workers only share the time.
std::vector<BatchOutcome> batch_save_reports(const std::vector<BatchJob>& jobs,
                                             const BatchSettings& settings,
                                             BatchObserver& observer);

struct ConvertedBatch {
  std::vector<BatchOutcome> outcomes;
  std::vector<Conversion> conversions;  // the sheets of the converted files
};

// Converts each export file and keeps its sheet, for one combined workbook;
// nothing is saved.
ConvertedBatch batch_convert(const std::vector<std::string>& inputs, const BatchSettings& settings,
                             BatchObserver& observer);

}  // namespace ordelix
