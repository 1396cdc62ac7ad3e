#pragma once

#include <QAbstractTableModel>

#include "sheet/report_sheet.h"

namespace ordelix {

// The report sheet as a spreadsheet shows it: column letters, row numbers,
// texts with their blanks, numbers as numbers, bold where the sheet says so.
class SheetTableModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  explicit SheetTableModel(const ReportSheet& sheet, QObject* parent = nullptr);

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

 private:
  const ReportSheet& sheet_;
  int rows_;
  int columns_;
};

// What a cell shows: numbers in the user's locale, date-times as year/month/day.
QString sheet_cell_text(const CellValue& value);

}  // namespace ordelix
