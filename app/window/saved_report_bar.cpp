#include "saved_report_bar.h"

#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QUrl>

#include "window_dialogs.h"

namespace ordelix {

SavedReportBar::SavedReportBar(WindowDialogs& dialogs, QWidget* parent)
    : QWidget(parent), dialogs_(dialogs), status_(new QLabel(this)) {
  setObjectName("SavedReportBar");
  status_->setObjectName("SavedStatus");
  status_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  auto* open_report = new QPushButton(tr("Open report"), this);
  open_report->setObjectName("OpenReportButton");
  auto* show_folder = new QPushButton(tr("Show in folder"), this);
  show_folder->setObjectName("ShowFolderButton");
  connect(open_report, &QPushButton::clicked, this, [this] { open(path_); });
  connect(show_folder, &QPushButton::clicked, this,
          [this] { open(QFileInfo(path_).absolutePath()); });

  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(status_, 1);
  layout->addWidget(open_report);
  layout->addWidget(show_folder);
  hide();
}

void SavedReportBar::showSaved(const QString& path) {
  path_ = path;
  status_->setText(tr("Saved as %1").arg(QDir::toNativeSeparators(path)));
  show();
}

void SavedReportBar::open(const QString& path) {
  if (!dialogs_.openOnDesktop(QUrl::fromLocalFile(path)))
    dialogs_.showFailure(this, tr("No application opened %1").arg(QDir::toNativeSeparators(path)));
}

}  // namespace ordelix
