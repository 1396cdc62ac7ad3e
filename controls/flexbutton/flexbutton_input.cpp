#include <QAccessible>
#include <QEnterEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QShortcutEvent>
#include <QtMath>

#include "access_key.h"
#include "button_styles.h"
#include "flexbutton.h"
#include "input_codes.h"
#include "paint_button.h"

namespace ordelix {

bool FlexButton::event(QEvent* event) {
  switch (event->type()) {
    case QEvent::Shortcut: {
      const int id = static_cast<QShortcutEvent*>(event)->shortcutId();
      const QChar key = access_key(caption_).value_or(QChar());
      access_key_pressed(enter_shortcuts_.contains(id) ? ascii_enter
                                                       : static_cast<qint16>(key.unicode()));
      return true;
    }
    case QEvent::ShortcutOverride: {
      // With the focus the control takes a plain Enter itself, before the host's default button.
      const auto* key = static_cast<QKeyEvent*>(event);
      if (key_code(*key) == key_enter &&
          (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
        event->accept();
        return true;
      }
      break;
    }
    case QEvent::ParentChange:
    case QEvent::Show:
      watch_host_window();
      break;
    default:
      break;
  }
  return QWidget::event(event);
}

void FlexButton::paintEvent(QPaintEvent*) {
  if (check_box_mode_ && value_ && checked_draws_pressed(button_style_)) draw_state_ = 2;
  QPainter painter(this);
  paint_button(painter, size(), look());
}

void FlexButton::resizeEvent(QResizeEvent*) {
  resize_handling();
}

// A disabled control sees no pointer, as a disabled window gets no mouse messages.
void FlexButton::enterEvent(QEnterEvent*) {
  if (isEnabled()) pointer_entered();
}

void FlexButton::leaveEvent(QEvent*) {
  pointer_left();
}

void FlexButton::pointer_entered() {
  if (mouse_over_) return;
  mouse_over_ = true;
  if (!space_key_) draw_state_ = 1;
  update();
  emit MouseEnter();
}

// Only after an entry, so that MouseEnter and MouseLeave alternate.
void FlexButton::pointer_left() {
  if (!mouse_over_) return;
  mouse_over_ = false;
  if (space_key_) return;
  if (Enabled()) draw_state_ = 0;
  update();
  emit MouseLeave();
}

// While the control holds the mouse (a button or the space bar down) no leave arrives and the
// moves tell; a held space bar keeps the pressed look, but the leave is still reported.
void FlexButton::pointer_moved_off() {
  if (!space_key_) {
    pointer_left();
    return;
  }
  if (!mouse_over_) return;
  mouse_over_ = false;
  emit MouseLeave();
}

// The control's own window under the pointer: inside its rectangle and its region.
bool FlexButton::is_over(QPointF position) const {
  const QPoint pixel(qFloor(position.x()), qFloor(position.y()));
  return rect().contains(pixel) && (mask().isEmpty() || mask().contains(pixel));
}

void FlexButton::mousePressEvent(QMouseEvent* event) {
  mouse_down(mouse_button_code(event->button()), shift_code(event->modifiers()), event->position());
}

void FlexButton::mouse_down(qint16 button, qint16 shift, QPointF position) {
  last_down_button_ = button;
  last_down_shift_ = shift;
  last_down_position_ = position;
  if (button != mouse_left) return;
  focus_ = true;
  mouse_down_ = true;
  if (mouse_over_) draw_state_ = 2;
  update();
  emit MouseDown(button, shift, static_cast<float>(position.x()), static_cast<float>(position.y()));
}

void FlexButton::mouseMoveEvent(QMouseEvent* event) {
  const QPointF position = event->position();
  if (!is_over(position))
    pointer_moved_off();
  else if (!mouse_over_ && isEnabled())
    pointer_entered();
  if (mouse_over_) {
    if (mouse_down_)
      draw_state_ = 2;
    else if (!space_key_)
      draw_state_ = 1;
    update();
  }
  emit MouseMove(mouse_buttons_code(event->buttons()), shift_code(event->modifiers()),
                 static_cast<float>(position.x()), static_cast<float>(position.y()));
}

void FlexButton::mouseReleaseEvent(QMouseEvent* event) {
  const QPointF position = event->position();
  const qint16 button = mouse_button_code(event->button());
  if (button == mouse_left) {
    mouse_down_ = false;
    // The look the next move would give, now: a Click handler that blocks must not leave the
    // button drawn pressed.
    if (mouse_over_ && !space_key_) draw_state_ = 1;
    const bool inside =
        position.x() > 0 && position.x() < width() && position.y() > 0 && position.y() < height();
    if (inside) {
      if (check_box_mode_) invert_value();
      repaint();
      const QPointer<FlexButton> alive(this);
      emit Click();
      if (!alive) return;
    } else {
      update();
    }
  }
  emit MouseUp(button, shift_code(event->modifiers()), static_cast<float>(position.x()),
               static_cast<float>(position.y()));
}

// The second press of a double click arrives as the double click alone, so its MouseDown comes
// from the replay.
void FlexButton::mouseDoubleClickEvent(QMouseEvent*) {
  if (last_down_button_ != mouse_left) return;
  draw_state_ = 2;
  update();
  const QPointer<FlexButton> alive(this);
  mouse_down(last_down_button_, last_down_shift_, last_down_position_);
  if (alive) emit DblClick();
}

void FlexButton::invert_value() {
  value_ = !value_;
  QAccessible::State changed;
  changed.checked = true;
  QAccessibleStateChangeEvent notice(this, changed);
  QAccessible::updateAccessibility(&notice);
}

}  // namespace ordelix
