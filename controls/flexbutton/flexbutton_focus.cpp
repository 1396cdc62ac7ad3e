#include <QFocusEvent>
#include <QMdiArea>
#include <QMdiSubWindow>

#include "flexbutton.h"

namespace ordelix {
namespace {

QMdiSubWindow* enclosing_mdi_child(QWidget* widget) {
  for (QWidget* up = widget->parentWidget(); up; up = up->parentWidget()) {
    if (auto* child = qobject_cast<QMdiSubWindow*>(up)) return child;
  }
  return nullptr;
}

}  // namespace

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
// handling always follows. A child window of a multiple-document frame is active only while it is
// the frame's active child, so its activation comes from the frame's choice of child as well.
bool FlexButton::eventFilter(QObject* watched, QEvent* event) {
  if (watched == host_window_) {
    if (event->type() == QEvent::WindowActivate && is_active_child()) host_activated();
    if (event->type() == QEvent::WindowDeactivate && (!mdi_child_ || parent_active_))
      host_deactivated();
  }
  return QWidget::eventFilter(watched, event);
}

void FlexButton::watch_host_window() {
  QWidget* host = window();
  QMdiSubWindow* child = enclosing_mdi_child(this);
  if (host == host_window_ && child == mdi_child_) return;
  if (host_window_) host_window_->removeEventFilter(this);
  if (mdi_child_) disconnect(mdi_child_, nullptr, this, nullptr);
  host_window_ = host;
  mdi_child_ = child;
  host->installEventFilter(this);
  if (child) {
    connect(child, &QMdiSubWindow::windowStateChanged, this,
            [this](Qt::WindowStates before, Qt::WindowStates now) {
              if (now.testFlag(Qt::WindowActive) == before.testFlag(Qt::WindowActive)) return;
              if (!now.testFlag(Qt::WindowActive) && parent_active_) host_deactivated();
              if (now.testFlag(Qt::WindowActive) && host_window_->isActiveWindow())
                host_activated();
            });
  }
  parent_active_ = host->isActiveWindow() && is_active_child();
}

bool FlexButton::is_active_child() const {
  if (!mdi_child_) return true;
  const QMdiArea* frame = mdi_child_->mdiArea();
  return frame && frame->activeSubWindow() == mdi_child_;
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
