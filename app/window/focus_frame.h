#pragma once

#include <QColor>
#include <QList>
#include <QWidget>

namespace ordelix {

// A frame just outside whichever of `buttons` has the keyboard focus, for
// buttons whose look shows none; hidden while none of them has it, as when
// the window is inactive. The buttons are siblings, children of `parent`.
class FocusFrame : public QWidget {
  Q_OBJECT

 public:
  FocusFrame(QList<QWidget*> buttons, QColor colour, QWidget* parent);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  void follow(QWidget* focused);

  QList<QWidget*> buttons_;
  QColor colour_;
};

}  // namespace ordelix
