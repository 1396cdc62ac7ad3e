#include "focus_frame.h"

#include <QApplication>
#include <QPainter>
#include <utility>

namespace ordelix {
namespace {

constexpr int line_width = 2;
// Between button and frame, so that the frame does not read as the button's own edge.
constexpr int gap = 2;

}  // namespace

FocusFrame::FocusFrame(QList<QWidget*> buttons, QColor colour, QWidget* parent)
    : QWidget(parent), buttons_(std::move(buttons)), colour_(colour) {
  setObjectName("FocusFrame");
  setAttribute(Qt::WA_TransparentForMouseEvents);
  lower();
  hide();
  connect(qApp, &QApplication::focusChanged, this,
          [this](QWidget*, QWidget* focused) { follow(focused); });
}

void FocusFrame::follow(QWidget* focused) {
  if (!buttons_.contains(focused)) {
    hide();
    return;
  }
  constexpr int margin = gap + line_width;
  setGeometry(focused->geometry().adjusted(-margin, -margin, margin, margin));
  show();
}

void FocusFrame::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setClipRegion(QRegion(rect()) -
                        rect().adjusted(line_width, line_width, -line_width, -line_width));
  painter.fillRect(rect(), colour_);
}

}  // namespace ordelix
