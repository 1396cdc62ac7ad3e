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

// One export file converted as ordelix-convert converts it alone: the
// workbook, and the run's data as `ordelix-convert --format json|csv FILE
// -o -` writes it (CSV with its default separator, ',').
struct PageReport {
  std::string report_name;               // the name ordelix-convert gives its report
  std::string json_name;                 // ... with --format json
  std::string csv_name;                  // ... with --format csv
  std::optional<Problem> error;          // why there is no report
  std::optional<Conversion> conversion;  // its sheet and warnings, once converted
  std::string workbook;                  // the report, when there is one
  std::string json;                      // its data, then
  std::string csv;
};

PageReport page_convert(PageFile file);

// Export files combined into one workbook as ordelix-convert --combine does.
struct PageWorkbook {
  std::string workbook;          // empty when no file converted or it failed
  std::optional<Problem> error;  // why the workbook could not be written
  std::vector<std::string> sheet_names;
  std::vector<BatchOutcome> outcomes;  // each file's error or warnings
};

PageWorkbook page_combine(std::vector<PageFile> files);

}  // namespace ordelix
