#include <QFocusEvent>

#include "flexbutton.h"

namespace ordelix {

InputFlags FlexButton::inputFlags() const {
  return {mouse_over_, mouse_down_, focus_, space_key_, parent_active_, default_look_};
}

// Redrawn, unlike a bare state change, so that a focus rectangle shows as soon as Tab arrives.
void FlexButton::focusInEvent(QFocusEvent*) {
  focus_ = true;
  if (mouse_over_)
    draw_state_ = 1;
  else if (!mouse_down_)
    draw_state_ = 0;
  update();
}

void FlexButton::focusOutEvent(QFocusEvent*) {
  focus_ = false;
  mouse_down_ = false;
  end_space_press();
  draw_state_ = parent_active_ && mouse_over_ ? 1 : 0;
  update();
}

// The host window's activation is seen before the window itself handles it; the window's own
// handling always follows.
bool FlexButton::eventFilter(QObject* watched, QEvent* event) {
  if (watched == host_window_) {
    if (event->type() == QEvent::WindowActivate) host_activated();
    if (event->type() == QEvent::WindowDeactivate) host_deactivated();
  }
  return QWidget::eventFilter(watched, event);
}

void FlexButton::watch_host_window() {
  QWidget* host = window();
  if (host == host_window_) return;
  if (host_window_) host_window_->removeEventFilter(this);
  host_window_ = host;
  host->installEventFilter(this);
  parent_active_ = host->isActiveWindow();
}

void FlexButton::host_activated() {
  parent_active_ = true;
  draw_state_ = 0;
  update();
}

void FlexButton::host_deactivated() {
  mouse_down_ = false;
  end_space_press();
  focus_ = false;
  parent_active_ = false;
  draw_state_ = 0;
  update();
}

}  // namespace ordelix
