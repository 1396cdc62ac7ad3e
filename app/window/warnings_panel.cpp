#include "warnings_panel.h"

#include <algorithm>

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace ordelix {

QString warning_entry_text(const Problem& warning) {
  QString text = QString::fromStdString(problem_text(warning));
  if (warning.line == 0) return text;
  return QObject::tr("Line %1: %2").arg(warning.line).arg(text);
}

WarningsPanel::WarningsPanel(const Problems& warnings, QWidget* parent)
    : QFrame(parent),
      count_(new QLabel(this)),
      toggle_(new QPushButton(this)),
      list_(new QListWidget(this)) {
  setObjectName("Warnings");
  setFrameShape(QFrame::StyledPanel);
  setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Maximum);  // the sheet takes the room
  setVisible(!warnings.empty());

  auto* icon = new QLabel(this);
  int size = style()->pixelMetric(QStyle::PM_SmallIconSize);
  icon->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxWarning).pixmap(size, size));
  count_->setObjectName("WarningCount");
  count_->setText(warnings.size() == 1
                      ? tr("1 warning about the export file")
                      : tr("%1 warnings about the export file").arg(warnings.size()));
  toggle_->setObjectName("WarningToggle");
  connect(toggle_, &QPushButton::clicked, this, [this] { setListShown(list_->isHidden()); });

  list_->setObjectName("WarningList");
  for (const Problem& warning : warnings) list_->addItem(warning_entry_text(warning));
  // Up to six at a glance; the rest scroll.
  if (list_->count() > 0)
    list_->setMaximumHeight(list_->sizeHintForRow(0) * std::min(list_->count(), 6) +
                            2 * list_->frameWidth());

  auto* summary = new QHBoxLayout;
  summary->addWidget(icon);
  summary->addWidget(count_);
  summary->addStretch();
  summary->addWidget(toggle_);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(summary);
  layout->addWidget(list_);
  setListShown(false);
}

void WarningsPanel::setListShown(bool shown) {
  list_->setVisible(shown);
  toggle_->setText(shown ? tr("Hide") : tr("Show"));
}

}  // namespace ordelix
