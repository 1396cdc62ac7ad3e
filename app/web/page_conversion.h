#pragma once

#include <ctime>
#include <optional>
#include <string>
#include <vector>

#include "base/result.h"
#include "core/ordelix.h"

namespace ordelix {

// An export file as a page hands it in: its name (a relative path at most)
// and bytes, dated by the time it was last changed.
struct PageFile {
  std::string name;
  std::string bytes;
  std::time_t created = 0;
};

// One export file converted as ordelix-convert converts it alone.
struct PageReport {
  std::string report_name;               // the name ordelix-convert gives its report
  std::string json_name;                 // ... with --format json
  std::string csv_name;                  // ... with --format csv
  std::optional<Problem> error;          // why there is no report
  std::optional<Conversion> conversion;  // its sheet and warnings, once converted
  std::string workbook;                  // the report, when there is one
};

PageReport page_convert(PageFile file);

// The run's data of one export file as `ordelix-convert --format json|csv
// FILE -o -` writes it (CSV with the converter's default separator), or why
// there is none. Apart from page_convert, since writing its numbers costs
// more than the workbook in WebAssembly: a page asks for it when it is wanted.
Result<std::string> page_run_data(PageFile file, ReportFormat format);

// Export files combined into one workbook as ordelix-convert --combine does.
struct PageWorkbook {
  std::string workbook;          // empty when no file converted or it failed
  std::optional<Problem> error;  // why the workbook could not be written
  std::vector<std::string> sheet_names;
  std::vector<BatchOutcome> outcomes;  // each file's error or warnings
};

PageWorkbook page_combine(std::vector<PageFile> files);

}  // namespace ordelix
