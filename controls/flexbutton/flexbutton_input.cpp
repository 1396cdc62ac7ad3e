#include <QEnterEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>

#include "button_styles.h"
#include "flexbutton.h"
#include "input_codes.h"
#include "paint_button.h"

namespace ordelix {

bool FlexButton::event(QEvent* event) {
  if (event->type() == QEvent::Shortcut) {
    access_key_pressed();
    return true;
  }
  return QWidget::event(event);
}

void FlexButton::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  if (event->type() == QEvent::FontChange) mark("Font");
  if (event->type() == QEvent::EnabledChange) mark("Enabled");
}

void FlexButton::paintEvent(QPaintEvent*) {
  if (check_box_mode_ && value_ && checked_draws_pressed(button_style_)) draw_state_ = 2;
  QPainter painter(this);
  paint_button(painter, size(), look());
}

void FlexButton::resizeEvent(QResizeEvent*) {
  resize_handling();
}

void FlexButton::enterEvent(QEnterEvent*) {
  pointer_entered();
}

void FlexButton::leaveEvent(QEvent*) {
  pointer_left();
}

void FlexButton::pointer_entered() {
  if (mouse_over_) return;
  mouse_over_ = true;
  draw_state_ = 1;
  update();
  emit MouseEnter();
}

// Only after an entry, so that MouseEnter and MouseLeave alternate: a drag off the control
// leaves it here, and the widget's own leave follows when the button is released.
void FlexButton::pointer_left() {
  if (!mouse_over_) return;
  mouse_over_ = false;
  if (Enabled()) draw_state_ = 0;
  update();
  emit MouseLeave();
}

void FlexButton::mousePressEvent(QMouseEvent* event) {
  mouse_down(mouse_button_code(event->button()), shift_code(event->modifiers()), event->position());
}

void FlexButton::mouse_down(qint16 button, qint16 shift, QPointF position) {
  last_down_button_ = button;
  last_down_shift_ = shift;
  last_down_position_ = position;
  if (button != 1) return;
  mouse_down_ = true;
  if (mouse_over_) draw_state_ = 2;
  update();
  emit MouseDown(button, shift, static_cast<float>(position.x()), static_cast<float>(position.y()));
}

void FlexButton::mouseMoveEvent(QMouseEvent* event) {
  const QPointF position = event->position();
  // While a button is held the widget sees no enter or leave, so the move decides.
  if (rect().contains(position.toPoint()))
    pointer_entered();
  else
    pointer_left();
  if (mouse_over_) {
    draw_state_ = mouse_down_ ? 2 : 1;
    update();
  }
  emit MouseMove(mouse_buttons_code(event->buttons()), shift_code(event->modifiers()),
                 static_cast<float>(position.x()), static_cast<float>(position.y()));
}

void FlexButton::mouseReleaseEvent(QMouseEvent* event) {
  const QPointF position = event->position();
  const qint16 button = mouse_button_code(event->button());
  if (button == 1) {
    mouse_down_ = false;
    const bool inside =
        position.x() > 0 && position.x() < width() && position.y() > 0 && position.y() < height();
    if (inside) {
      if (check_box_mode_) value_ = !value_;
      update();
      const QPointer<FlexButton> alive(this);
      emit Click();
      if (!alive) return;
    }
  }
  emit MouseUp(button, shift_code(event->modifiers()), static_cast<float>(position.x()),
               static_cast<float>(position.y()));
}

void FlexButton::mouseDoubleClickEvent(QMouseEvent*) {
  if (last_down_button_ != 1) return;
  draw_state_ = 2;
  update();
  mouse_down(last_down_button_, last_down_shift_, last_down_position_);
  emit DblClick();
}

void FlexButton::keyPressEvent(QKeyEvent* event) {
  const qint16 code = key_code(event->key());
  const qint16 shift = shift_code(event->modifiers());
  constexpr qint16 enter = 13;
  constexpr qint16 space = 32;
  constexpr qint16 alt = 4;
  if (code == enter) {
    const QPointer<FlexButton> alive(this);
    emit Click();
    if (!alive) return;
  } else {
    QWidget::keyPressEvent(event);
  }
  if (code == space && shift == alt) return;
  emit KeyDown(code, shift);
}

void FlexButton::access_key_pressed() {
  if (!Enabled()) return;
  if (check_box_mode_) {
    const bool was_checked = value_;
    value_ = !value_;
    if (was_checked) draw_state_ = 0;
    update();
  }
  emit Click();
}

}  // namespace ordelix
