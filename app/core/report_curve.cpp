#include "report_curve.h"

#include "base/cp1252.h"

namespace ordelix {
namespace {

std::string heading_at(const ReportSheet& sheet, int row, int col) {
  std::optional<std::string_view> text = sheet.text_at(row, col);
  if (!text) return {};
  std::string heading = cp1252_to_utf8(*text);
  heading.erase(heading.find_last_not_of(' ') + 1);
  heading.erase(0, heading.find_first_not_of(' '));
  return heading;
}

}  // namespace

std::optional<ReportCurve> report_curve(const ReportSheet& sheet) {
  if (sheet.curves().empty()) return std::nullopt;
  const TableCurve& marked = sheet.curves().front();
  const std::vector<TableColumn>& columns =
      sheet.tables().at(static_cast<std::size_t>(marked.table));
  if (columns.size() < 2) return std::nullopt;
  const TableColumn& x = columns[0];
  const TableColumn& y = columns[1];

  ReportCurve curve{marked.title, {}, {}, {}, {}};
  std::vector<RowRole> roles = row_roles(sheet);
  for (int row = 1; row <= sheet.last_row(); ++row) {
    const RowRole& role = roles[static_cast<std::size_t>(row)];
    if (!role.marked || role.table != marked.table) continue;
    if (role.part == RowPart::table_heading) {
      curve.x_heading = heading_at(sheet, row, x.heading_col);
      curve.y_heading = heading_at(sheet, row, y.heading_col);
    } else if (role.part == RowPart::table_data) {
      auto x_value = sheet.number_at(row, x.data_col);
      auto y_value = sheet.number_at(row, y.data_col);
      if (x_value && y_value) {
        curve.xs.push_back(*x_value);
        curve.ys.push_back(*y_value);
      }
    }
  }
  return curve;
}

}  // namespace ordelix
