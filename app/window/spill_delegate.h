#pragma once

#include <QStyledItemDelegate>

namespace ordelix {

// Lets a text run on over the empty cells to its right, as spreadsheets do;
// the reports' labels and separators are wider than a column.
class SpillDelegate : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;

  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override;
};

}  // namespace ordelix
