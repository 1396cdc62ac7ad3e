#include "conversion.h"

#include <algorithm>

#include "exportfile/export_reader.h"
#include "reports/measurement_modes.h"
#include "reports/report_layout.h"

namespace ordelix {
namespace {

void prepare_report_sheet(ReportSheet& sheet) {
  sheet.align_left("a:z");
  sheet.merge("D2:E2");
  sheet.set_font("A1:Z50", layout::plain_font());
}

Conversion failed(Problem error) {
  Conversion c;
  c.error = std::move(error);
  return c;
}

}  // namespace

Conversion convert_export(const ExportFile& file, const MeasurementMode& mode) {
  Conversion conversion;
  conversion.created = file.created_time();
  if (!file.created()) conversion.warnings.push_back(Problem{ProblemKind::time_out_of_range});
  prepare_report_sheet(conversion.sheet);
  ExportReader reader(file);
  ReportContext context{reader, conversion.sheet, conversion.warnings};
  if (ReportRefusal refusal = mode.write(context)) return failed(std::move(*refusal));

  if (long dropped = conversion.sheet.dropped_writes(); dropped > 0) {
    long line = context.value_line_left_out;
    if (line == 0) line = context.count_line_left_out;
    conversion.warnings.push_back(rows_beyond_limit_warning(line, dropped, ReportSheet::max_row));
  }
  // In the order of the file, as a reader goes through it.
  std::stable_sort(conversion.warnings.begin(), conversion.warnings.end(),
                   [](const Problem& a, const Problem& b) { return a.line < b.line; });
  return conversion;
}

Conversion convert_export_file(const std::string& path) {
  // The name decides first, so that a file no mode would take is never read.
  const MeasurementMode* mode = measurement_mode_of(path);
  if (mode == nullptr) return failed(Problem{ProblemKind::no_mode});

  LoadResult loaded = export_file_load(path);
  if (loaded.error) return failed(std::move(*loaded.error));
  return convert_export(loaded.file, *mode);
}

}  // namespace ordelix
