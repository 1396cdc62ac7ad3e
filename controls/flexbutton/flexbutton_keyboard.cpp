#include <QCoreApplication>
#include <QKeyEvent>
#include <QKeySequence>
#include <QPointer>

#include "flexbutton.h"
#include "input_codes.h"

namespace ordelix {

void FlexButton::keyPressEvent(QKeyEvent* event) {
  const qint16 code = key_code(*event);
  const qint16 shift = key_press_shift_code(event->key(), event->modifiers());
  const QPointer<FlexButton> alive(this);
  const bool arrow = code >= key_left && code <= key_down;
  if (code == key_enter) {
    emit Click();
    if (!alive) return;
  } else if (code == key_space && !mouse_down_) {
    if (shift == shift_alt) {
      event->ignore();
      return;
    }
    space_pressed();
  } else if (code != key_space && !arrow) {
    event->ignore();  // the host may still act on keys the control has no use for
  }
  emit KeyDown(code, shift);
  // Focus moves once the handlers have seen the key on this control.
  if (alive && arrow) focusNextPrevChild(code == key_right || code == key_down);
}

void FlexButton::space_pressed() {
  space_key_ = true;
  // A check button changes on the release, with its click, so a held key cannot flip it back
  // and forth as it repeats.
  if (!check_box_mode_ && draw_state_ != 2) {
    draw_state_ = 2;
    update();
  }
  if (isVisible() && mouseGrabber() != this) grabMouse();
}

void FlexButton::keyReleaseEvent(QKeyEvent* event) {
  // Only the release of a press the control took: Alt+Space, or the space bar pressed while
  // another control had the focus, raises nothing.
  if (key_code(*event) != key_space || event->isAutoRepeat() || (!space_key_ && !mouse_down_)) {
    event->ignore();
    return;
  }
  space_released(shift_code(event->modifiers()));
}

void FlexButton::space_released(qint16 shift) {
  bool clicks = true;
  if (!mouse_over_) {
    draw_state_ = 0;
  } else if (mouse_down_) {
    draw_state_ = 2;
    clicks = false;
  } else {
    draw_state_ = 1;
  }
  if (clicks && check_box_mode_) invert_value();
  repaint();  // on screen before a Click handler that may block
  const QPointer<FlexButton> alive(this);
  if (clicks) emit Click();
  if (alive) emit KeyUp(key_space, shift);
  if (!alive) return;
  end_space_press();
  mouse_down_ = false;
}

void FlexButton::end_space_press() {
  space_key_ = false;
  if (mouseGrabber() == this) releaseMouse();
}

void FlexButton::access_key_pressed(qint16 KeyAcsii) {
  if (!Enabled()) return;
  if (space_key_) {
    end_space_press();
    mouse_down_ = false;
  }
  if (check_box_mode_) {
    if (KeyAcsii == ascii_escape || KeyAcsii == ascii_enter) return;
    const bool was_checked = value_;
    invert_value();
    if (was_checked) draw_state_ = 0;
    update();
  }
  const QPointer<FlexButton> alive(this);
  QCoreApplication::processEvents();
  if (alive) emit Click();
}

void FlexButton::setDisplayAsDefault(bool display) {
  default_look_ = display;
  for (int id : std::as_const(enter_shortcuts_)) releaseShortcut(id);
  enter_shortcuts_.clear();
  if (display) {
    for (Qt::Key enter : {Qt::Key_Return, Qt::Key_Enter})
      enter_shortcuts_.append(grabShortcut(QKeySequence(enter)));
  }
  update();
}

}  // namespace ordelix
