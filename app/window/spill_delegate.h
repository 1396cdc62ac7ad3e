#pragma once

#include <QStyledItemDelegate>

namespace ordelix {

// Lets a text run on over the empty cells to its right, as spreadsheets do;
// the reports' labels and separators are wider than a column. It draws the
// grid too, without the lines that a spilled text runs across: the view's own
// grid goes over the cells and would cut through the text.
class SpillDelegate : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;

  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override;
};

}  // namespace ordelix
