#include "spill_delegate.h"

#include <QPainter>
#include <QTableView>

namespace ordelix {
namespace {

constexpr int text_margin = 3;

// The written cell whose text shows in `index`: its own, or else the nearest
// written one to its left, whose text may spill this far.
QModelIndex text_source(const QModelIndex& index) {
  QModelIndex source = index;
  for (int col = index.column(); source.data(Qt::DisplayRole).isNull() && col > 0;)
    source = index.sibling(index.row(), --col);
  return source.data(Qt::DisplayRole).isNull() ? QModelIndex() : source;
}

// Where the source's text may go: its own cell and as many empty cells to the
// right as it needs; a right-aligned text stays in its cell.
QRect text_area(const QTableView& view, const QModelIndex& source,
                const QStyleOptionViewItem& text) {
  QRect area = view.visualRect(source);
  if (text.displayAlignment & Qt::AlignRight) return area;
  int needed = QFontMetrics(text.font).horizontalAdvance(text.text) + 2 * text_margin;
  const QAbstractItemModel* model = source.model();
  for (int col = source.column() + view.columnSpan(source.row(), source.column());
       area.width() < needed && col < model->columnCount(); ++col) {
    if (!model->index(source.row(), col).data(Qt::DisplayRole).isNull()) break;
    area.setRight(area.right() + view.columnWidth(col));
  }
  return area;
}

}  // namespace

void SpillDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const {
  auto* view = qobject_cast<const QTableView*>(option.widget);
  if (view == nullptr) {
    QStyledItemDelegate::paint(painter, option, index);
    return;
  }
  QModelIndex source = text_source(index);
  QStyleOptionViewItem text = option;
  QRect area;
  if (source.isValid()) {
    initStyleOption(&text, source);
    area = text_area(*view, source, text);
  }
  bool selected = option.state & QStyle::State_Selected;

  painter->save();
  painter->setClipRect(option.rect);
  if (selected) painter->fillRect(option.rect, option.palette.highlight());
  if (area.intersects(option.rect)) {
    painter->setFont(text.font);
    painter->setPen(selected ? option.palette.highlightedText().color()
                             : option.palette.text().color());
    painter->drawText(area.adjusted(text_margin, 0, -text_margin, 0), int(text.displayAlignment),
                      text.text);
  }
  auto grid =
      static_cast<QRgb>(view->style()->styleHint(QStyle::SH_Table_GridLineColor, &option, view));
  painter->setPen(QColor(grid));
  painter->drawLine(option.rect.bottomLeft(), option.rect.bottomRight());
  if (area.right() <= option.rect.right())
    painter->drawLine(option.rect.topRight(), option.rect.bottomRight());
  painter->restore();
}

}  // namespace ordelix
