#include "spill_delegate.h"

#include <QAbstractItemView>
#include <QPainter>
#include <QTableView>

namespace ordelix {

void SpillDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const {
  QString text = index.data(Qt::DisplayRole).toString();
  auto* view = qobject_cast<const QTableView*>(option.widget);
  if (text.isEmpty() || view == nullptr) {
    QStyledItemDelegate::paint(painter, option, index);
    return;
  }
  QStyleOptionViewItem opt = option;
  initStyleOption(&opt, index);
  QFontMetrics metrics(opt.font);
  int needed = metrics.horizontalAdvance(text) + 6;
  QRect area = option.rect;
  const QAbstractItemModel* model = index.model();
  bool right = opt.displayAlignment & Qt::AlignRight;
  for (int col = index.column() + 1; !right && area.width() < needed && col < model->columnCount();
       ++col) {
    if (!model->index(index.row(), col).data(Qt::DisplayRole).isNull()) break;
    area.setRight(area.right() + view->columnWidth(col));
  }
  painter->save();
  painter->setClipRect(area);
  painter->fillRect(area, opt.palette.base());
  if (opt.state & QStyle::State_Selected) painter->fillRect(option.rect, opt.palette.highlight());
  painter->setFont(opt.font);
  painter->setPen(opt.state & QStyle::State_Selected ? opt.palette.highlightedText().color()
                                                     : opt.palette.text().color());
  painter->drawText(area.adjusted(3, 0, -3, 0), int(opt.displayAlignment), text);
  painter->restore();
}

}  // namespace ordelix
