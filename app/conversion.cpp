#include "conversion.h"

#include "exportfile/export_reader.h"
#include "measurement_modes.h"
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

Conversion convert_export_file(const std::string& path) {
  LoadResult loaded = export_file_load(path);
  if (loaded.error) return failed(std::move(*loaded.error));

  const MeasurementMode* mode = measurement_mode_of(path);
  if (mode == nullptr) return failed(Problem{ProblemKind::no_mode});

  Conversion conversion;
  conversion.created = loaded.file.created_time();
  prepare_report_sheet(conversion.sheet);
  ExportReader reader(loaded.file);
  ReportContext context{reader, conversion.sheet, conversion.warnings};
  if (ReportRefusal refusal = mode->write(context)) return failed(std::move(*refusal));

  if (long dropped = conversion.sheet.dropped_writes(); dropped > 0)
    conversion.warnings.push_back(
        Problem{ProblemKind::rows_beyond_limit, 0, std::to_string(dropped)});
  return conversion;
}

}  // namespace ordelix
