#include "conversion.h"

#include <algorithm>

#include "exportfile/export_reader.h"
#include "reports/report_layout.h"

namespace ordelix {
namespace {

void prepare_report_sheet(ReportSheet& sheet) {
  sheet.align_left("a:z");
  sheet.merge("D2:E2");
  sheet.set_font("A1:Z50", layout::plain_font());
}

// Values of the file are counted by their lines; without any, what fell
// below the last row are rows a count numbers or steps, one cell each.
void warn_of_rows_left_out(const ReportContext& context, Problems& warnings) {
  if (context.sheet.dropped_writes() == 0) return;
  if (context.lines_left_out.count() > 0)
    warnings.push_back(values_beyond_limit_warning(
        context.lines_left_out.first(), context.lines_left_out.count(), ReportSheet::max_row));
  else
    warnings.push_back(rows_beyond_limit_warning(
        context.count_line_left_out, context.sheet.dropped_writes(), ReportSheet::max_row));
}

}  // namespace

Result<Conversion> convert_export(const ExportFile& file, const MeasurementMode& mode) {
  // Said as it is, rather than as the first line each mode would miss.
  if (file.bytes().empty()) return Problem(ProblemKind::empty_file);
  Conversion conversion;
  conversion.created = file.created_time();
  if (file.encoding() != TextEncoding::single_byte)
    conversion.warnings.push_back(
        unicode_text_warning(text_encoding_name(file.encoding()), file.characters_replaced()));
  if (!file.created()) conversion.warnings.push_back(Problem(ProblemKind::time_out_of_range));
  prepare_report_sheet(conversion.sheet);
  ExportReader reader(file);
  ReportContext context{reader, conversion.sheet, conversion.warnings};
  if (Result<void> written = mode.write(context); !written) return std::move(written).error();

  warn_of_rows_left_out(context, conversion.warnings);
  // In the order of the file, as a reader goes through it.
  std::stable_sort(conversion.warnings.begin(), conversion.warnings.end(),
                   [](const Problem& a, const Problem& b) { return a.line < b.line; });
  return conversion;
}

Result<Conversion> convert_export_file(const std::string& path) {
  // The name decides first, so that a file no mode would take is never read.
  const MeasurementMode* mode = measurement_mode_of(path);
  if (mode == nullptr)
    return Problem(name_extension(path).empty() ? ProblemKind::no_extension : ProblemKind::no_mode);

  Result<ExportFile> loaded = export_file_load(path);
  if (!loaded) return std::move(loaded).error();
  return convert_export(loaded.value(), *mode);
}

}  // namespace ordelix
