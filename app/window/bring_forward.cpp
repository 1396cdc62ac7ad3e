#include "bring_forward.h"

#include <QApplication>
#include <QWidget>

namespace ordelix {

void bring_forward(QWidget& window) {
  window.setWindowState(window.windowState() & ~Qt::WindowMinimized);
  window.show();
  window.raise();
  window.activateWindow();
  // Left behind the window it blocks, a dialog would look like a hung program.
  QWidget* asking = QApplication::activeModalWidget();
  if (asking == nullptr) return;
  if (QWidget* owner = asking->parentWidget(); owner != nullptr && owner->window() != &window)
    owner->window()->raise();
  asking->raise();
  asking->activateWindow();
}

}  // namespace ordelix
