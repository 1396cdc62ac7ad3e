#include "input_codes.h"

namespace ordelix {

qint16 mouse_button_code(Qt::MouseButton button) {
  switch (button) {
    case Qt::LeftButton:
      return 1;
    case Qt::RightButton:
      return 2;
    case Qt::MiddleButton:
      return 4;
    default:
      return 0;
  }
}

qint16 mouse_buttons_code(Qt::MouseButtons buttons) {
  qint16 code = 0;
  for (Qt::MouseButton button : {Qt::LeftButton, Qt::RightButton, Qt::MiddleButton})
    if (buttons & button) code = static_cast<qint16>(code | mouse_button_code(button));
  return code;
}

qint16 shift_code(Qt::KeyboardModifiers modifiers) {
  return static_cast<qint16>((modifiers & Qt::ShiftModifier ? 1 : 0) |
                             (modifiers & Qt::ControlModifier ? 2 : 0) |
                             (modifiers & Qt::AltModifier ? 4 : 0));
}

qint16 key_press_shift_code(int qt_key, Qt::KeyboardModifiers modifiers) {
  if (qt_key == Qt::Key_Shift) modifiers |= Qt::ShiftModifier;
  if (qt_key == Qt::Key_Control) modifiers |= Qt::ControlModifier;
  if (qt_key == Qt::Key_Alt) modifiers |= Qt::AltModifier;
  return shift_code(modifiers);
}

}  // namespace ordelix
