#include "preview_placement.h"

#include <QFileInfo>
#include <QObject>
#include <QWidget>

namespace ordelix {
namespace {

constexpr int cascade_step = 32;
constexpr int cascade_length = 8;

}  // namespace

QString preview_title(const QString& exportPath, int repeat) {
  QString name = QFileInfo(exportPath).fileName();
  if (repeat > 1) return QObject::tr("Report - %1 (%2)").arg(name).arg(repeat);
  return QObject::tr("Report - %1").arg(name);
}

void preview_cascade(QWidget* preview, const QWidget* main, int serial) {
  int step = cascade_step * (1 + (serial - 1) % cascade_length);
  preview->move(main->frameGeometry().topLeft() + QPoint(step, step));
}

}  // namespace ordelix
