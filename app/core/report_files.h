#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/problem.h"
#include "batch/batch_inputs.h"
#include "batch/batch_plan.h"
#include "batch/report_format.h"
#include "batch_run.h"
#include "conversion.h"
#include "zip/zip_archive.h"

namespace ordelix {

// How a front end saves one converted file's report.
struct ReportChoice {
  ReportFormat format = ReportFormat::xlsx;
  char csv_separator = ',';       // for CSV
  bool replace_existing = false;  // the user has agreed to replace what stands there
};

// Saves the report of the export file `input`, converted as `conversion`, at
// `target` in the chosen format, atomically and checked.
Result<void> report_save_as(const std::string& input, const Conversion& conversion,
                            const std::string& target, const ReportChoice& choice);

// The format a report's path calls for by its file's extension, in any case;
// none for another extension or none.
std::optional<ReportFormat> report_format_for(const std::string& target);

// Where each file of a batch saves its report (see batch_report_paths), or
// the first two files that would both save at one place: then no job is made.
struct BatchPlan {
  std::vector<BatchJob> jobs;
  std::optional<TargetClash> clash;  // indexes into the files; both write jobs' target of `second`
  std::string clash_target;
};
BatchPlan batch_plan(const std::vector<BatchInput>& files, const std::string& output,
                     const std::string& folder, ReportFormat format = ReportFormat::xlsx);

// Saves the combined report of a converted batch at `target`: one workbook of
// `combined`, or the files' data as one JSON array.
Result<void> batch_combined_save(const std::vector<std::string>& inputs,
                                 const ConvertedBatch& batch, const CombinedSheets& combined,
                                 const std::string& target, ReportFormat format,
                                 bool replace_existing);

// The report written to an open descriptor (standard output) instead of a file.
Result<void> report_send(const std::string& input, const Conversion& conversion, int descriptor,
                         const ReportChoice& choice);
// The combined report of a converted batch written to an open descriptor.
Result<void> batch_combined_send(const std::vector<std::string>& inputs,
                                 const ConvertedBatch& batch, const CombinedSheets& combined,
                                 int descriptor, ReportFormat format);

// Reports handed out together: a zip archive of them, dated now.
Result<std::string> reports_zip(const std::vector<ZipMember>& members);

// One worker for each processor: what a batch uses unless told otherwise.
unsigned default_workers();

// A failure's words; then, where a report standing in the way is the failure,
// how the front end replaces it (`replace_hint`, say "--force replaces it");
// then the report's name as the front end shows it, when the failure concerns
// the report rather than the export file.
std::string failure_words(const Problem& failure, std::string_view shown_target,
                          std::string_view replace_hint = {});

}  // namespace ordelix
