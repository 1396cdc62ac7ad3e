#pragma once

#include <atomic>
#include <cstddef>
#include <ctime>
#include <string>
#include <vector>

#include "batch/batch_outcome.h"
#include "batch/existing_report.h"
#include "batch/report_format.h"
#include "conversion.h"
#include "xlsx/xlsx_writer.h"

namespace ordelix {

struct BatchJob {
  std::string input;
  std::string target;  // where the report is saved
};

// What becomes of a report that stands at a file's target already.
enum class OnExistingReport {
  refuse,           // the file fails
  replace,          // a regular file is replaced; anything else still fails
  skip,             // a complete workbook is kept, and the file skipped unconverted
  keep_or_replace,  // kept as with skip; a regular file that is not kept is replaced
};

struct BatchSettings {
  unsigned workers = 1;
  OnExistingReport on_existing = OnExistingReport::refuse;
  bool create_folders = false;                // make the report's folder when missing
  bool refuse_warned = false;                 // a file with warnings gives no report
  const std::atomic<bool>* cancel = nullptr;  // once set, files not yet taken up are left
  ReportFormat format = ReportFormat::xlsx;   // what batch_save_reports writes
  char csv_separator = ',';
};

// Converts each export file and saves its report at its target. Every file
// converts on its own, as it would alone; the workers only share the time.
std::vector<BatchOutcome> batch_save_reports(const std::vector<BatchJob>& jobs,
                                             const BatchSettings& settings,
                                             BatchObserver& observer);

struct ConvertedBatch {
  std::vector<BatchOutcome> outcomes;
  // The converted files, their warnings also in their outcomes.
  std::vector<Conversion> conversions;
};

// Converts each export file and keeps its sheet, for one combined workbook;
// nothing is saved.
ConvertedBatch batch_convert(const std::vector<std::string>& inputs, const BatchSettings& settings,
                             BatchObserver& observer);

// The sheets of one workbook combining the converted files of a batch, in
// the order of the files, each named after its file; they point into `batch`.
struct CombinedSheets {
  std::vector<std::size_t> files;  // the index of each sheet's file
  std::vector<WorkbookSheet> sheets;
  std::time_t created = 0;  // the latest of the files'
};
CombinedSheets batch_combined_sheets(const std::vector<std::string>& inputs,
                                     const ConvertedBatch& batch);

// The converted files' data, as one JSON array in their order.
std::string batch_combined_data(const std::vector<std::string>& inputs,
                                const ConvertedBatch& batch);

// What stands at `target` against the combined report of `format` (a
// workbook of `combined`, or the JSON array) that the batch gives now, as
// existing_report_at tells; a problem counts the files.
Result<ExistingReport> batch_combined_existing(const std::string& target, ReportFormat format,
                                               const std::vector<std::string>& inputs,
                                               const ConvertedBatch& batch,
                                               const CombinedSheets& combined);

}  // namespace ordelix
