// Conversions run on the memory platform's table: the page's files are put
// there, the core converts and saves as it does on disk, and the reports are
// taken out. The table is emptied around each call, which stands alone.

#include "page_conversion.h"

#include "core/ordelix.h"
#include "platform/memory/memory_files.h"
#include "platform/paths.h"

namespace ordelix {
namespace {

constexpr const char* combined_name = "combined.xlsx";
// ordelix-convert's, unless --csv-separator says otherwise; a front end's too.
constexpr char csv_separator = ReportChoice{}.csv_separator;

// The table emptied when the call is done, whichever way it ends.
struct FreshTable {
  FreshTable() { memory_files_clear(); }
  ~FreshTable() { memory_files_clear(); }
  FreshTable(const FreshTable&) = delete;
  FreshTable& operator=(const FreshTable&) = delete;
};

std::string bytes_taken(const std::string& path) {
  return memory_file_take(path).value_or(std::string());
}

std::string report_name(const std::string& file, ReportFormat format) {
  return batch_plan({{file, file}}, "", "", format).jobs.front().target;
}

}  // namespace

PageReport page_convert(PageFile file) {
  FreshTable table;
  PageReport report;
  report.report_name = report_name(file.name, ReportFormat::xlsx);
  report.json_name = report_name(file.name, ReportFormat::json);
  report.csv_name = report_name(file.name, ReportFormat::csv);
  // A file that cannot be put is one the conversion cannot open, and says so.
  (void)memory_file_put(file.name, std::move(file.bytes), file.created);
  Result<Conversion> conversion = convert_export_file(file.name);
  if (!conversion) {
    report.error = std::move(conversion).error();
    return report;
  }
  if (Result<void> saved = report_save_as(file.name, conversion.value(), report.report_name, {});
      !saved)
    report.error = std::move(saved).error();
  else
    report.workbook = bytes_taken(report.report_name);
  report.conversion = std::move(conversion).value();
  return report;
}

Result<std::string> page_run_data(PageFile file, ReportFormat format) {
  FreshTable table;
  (void)memory_file_put(file.name, std::move(file.bytes), file.created);
  Result<Conversion> conversion = convert_export_file(file.name);
  if (!conversion) return std::move(conversion).error();
  // The data names the file and its mode by the last name of the path, as
  // the converter's does from the path it is given.
  return run_data_text(run_data_of(file.name, conversion.value()), format, csv_separator);
}

PageWorkbook page_combine(std::vector<PageFile> files) {
  FreshTable table;
  // A folder for each, so that files of one name stay apart.
  std::vector<std::string> inputs;
  for (std::size_t i = 0; i < files.size(); ++i) {
    inputs.push_back(path_join(std::to_string(i), files[i].name));
    (void)memory_file_put(inputs.back(), std::move(files[i].bytes), files[i].created);
  }
  BatchObserver unobserved;
  ConvertedBatch batch = batch_convert(inputs, BatchSettings{}, unobserved);
  CombinedSheets combined = batch_combined_sheets(inputs, batch);
  PageWorkbook workbook;
  for (const WorkbookSheet& sheet : combined.sheets) workbook.sheet_names.push_back(sheet.name);
  if (!combined.sheets.empty()) {
    if (Result<void> saved =
            batch_combined_save(inputs, batch, combined, combined_name, ReportFormat::xlsx, false);
        !saved)
      workbook.error = std::move(saved).error();
    else
      workbook.workbook = bytes_taken(combined_name);
  }
  workbook.outcomes = std::move(batch.outcomes);
  return workbook;
}

}  // namespace ordelix
