#include "run_data_conversion.h"

#include "base/utf8.h"
#include "platform/paths.h"
#include "rundata/run_data_read.h"

namespace ordelix {

RunData run_data_of(const std::string& path, const Conversion& conversion) {
  RunData data = run_data_read(conversion.sheet, conversion.created);
  // A name the system holds in bytes that are not UTF-8 has no text of its own.
  data.file = utf8_repaired(path_file_name(path));
  if (const MeasurementMode* mode = measurement_mode_of(path)) data.mode = mode->name;
  for (const Problem& warning : conversion.warnings) {
    RunWarning& added = data.warnings.emplace_back();
    if (warning.line > 0) added.line = warning.line;
    added.text = problem_text(warning);
  }
  return data;
}

std::string run_data_text(const RunData& data, ReportFormat format, char csv_separator) {
  return format == ReportFormat::csv ? run_data_csv(data, csv_separator) : run_data_json(data);
}

}  // namespace ordelix
