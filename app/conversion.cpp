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

Conversion failed(ConvertError error, std::string reason) {
  Conversion c;
  c.error = error;
  c.reason = std::move(reason);
  return c;
}

}  // namespace

Conversion convert_export_file(const std::string& path) {
  LoadResult loaded = export_file_load(path);
  if (loaded.error != LoadError::none)
    return failed(ConvertError::unreadable, load_error_text(loaded.error, loaded.sys_errno));

  const MeasurementMode* mode = measurement_mode_of(path);
  if (mode == nullptr)
    return failed(ConvertError::unknown_mode,
                  "the extension names no measurement mode (PRO, NUC, CON, PHT, OD, TSC, TM, WSC)");

  Conversion conversion;
  conversion.created = loaded.file.created_time();
  prepare_report_sheet(conversion.sheet);
  ExportReader reader(loaded.file);
  ReportContext context{reader, conversion.sheet};
  ReportOutcome outcome = mode->write(context);
  if (!outcome.written) return failed(ConvertError::no_report, outcome.reason);

  if (long dropped = conversion.sheet.dropped_writes(); dropped > 0)
    conversion.warnings.push_back(std::to_string(dropped) + " values beyond row " +
                                  std::to_string(ReportSheet::max_row) + " were left out");
  return conversion;
}

}  // namespace ordelix
