#include "sheet_table_model.h"

#include <QDateTime>
#include <QFont>
#include <QLocale>
#include <algorithm>

#include "base/cp1252.h"

namespace ordelix {
namespace {

// A spreadsheet's grid shows some empty rows and columns beyond the report.
constexpr int spare_rows = 5;
constexpr int min_columns = 26;  // A to Z, the columns a report lays out

}  // namespace

SheetTableModel::SheetTableModel(const ReportSheet& sheet, QObject* parent)
    : QAbstractTableModel(parent), sheet_(sheet), rows_(sheet.last_row() + spare_rows) {
  int last_col = 0;
  for (int row = 1; row <= sheet.last_row(); ++row)
    if (!sheet.row_entries(row).empty())
      last_col = std::max(last_col, sheet.row_entries(row).back().col);
  columns_ = std::max(min_columns, last_col + 2);
}

int SheetTableModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : rows_;
}

int SheetTableModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : columns_;
}

QString sheet_cell_text(const CellValue& value) {
  if (const auto* text = std::get_if<std::string_view>(&value))
    return QString::fromStdString(cp1252_to_utf8(*text));
  if (const auto* number = std::get_if<double>(&value)) return QLocale().toString(*number, 'g', 15);
  const DateTime& t = std::get<DateTime>(value);
  QDateTime dt(QDate(t.year, t.month, t.day), QTime(t.hour, t.minute, t.second));
  return dt.toString("yyyy/M/d h:mm:ss");
}

QVariant SheetTableModel::data(const QModelIndex& index, int role) const {
  int row = index.row() + 1;
  int col = index.column() + 1;
  std::optional<CellValue> value = sheet_.cell(row, col);
  switch (role) {
    case Qt::DisplayRole:
      return value ? sheet_cell_text(*value) : QVariant();
    case Qt::FontRole: {
      if (!value) return {};
      std::optional<Font> font = sheet_.font_at(row, col);
      QFont f;
      if (font) {
        f.setPointSizeF(font->size);
        f.setBold(font->bold);
        f.setItalic(font->italic);
      }
      return f;
    }
    case Qt::TextAlignmentRole: {
      // Numbers sit right unless the column is left-aligned, as in a spreadsheet.
      bool number = value && !std::holds_alternative<std::string_view>(*value);
      Qt::Alignment h = number && !sheet_.left_aligned(col) ? Qt::AlignRight : Qt::AlignLeft;
      return QVariant::fromValue(h | Qt::AlignVCenter);
    }
    default:
      return {};
  }
}

QVariant SheetTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (role != Qt::DisplayRole) return {};
  if (orientation == Qt::Horizontal) return QString::fromStdString(column_letters(section + 1));
  return section + 1;
}

}  // namespace ordelix
