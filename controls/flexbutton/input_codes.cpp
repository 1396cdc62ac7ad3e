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

qint16 key_code(int qt_key) {
  if ((qt_key >= Qt::Key_A && qt_key <= Qt::Key_Z) ||
      (qt_key >= Qt::Key_0 && qt_key <= Qt::Key_9) || qt_key == Qt::Key_Space)
    return static_cast<qint16>(qt_key);
  if (qt_key >= Qt::Key_F1 && qt_key <= Qt::Key_F24)
    return static_cast<qint16>(112 + (qt_key - Qt::Key_F1));
  switch (qt_key) {
    case Qt::Key_Backspace:
      return 8;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
      return 9;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      return 13;
    case Qt::Key_Shift:
      return 16;
    case Qt::Key_Control:
      return 17;
    case Qt::Key_Alt:
      return 18;
    case Qt::Key_Pause:
      return 19;
    case Qt::Key_CapsLock:
      return 20;
    case Qt::Key_Escape:
      return 27;
    case Qt::Key_PageUp:
      return 33;
    case Qt::Key_PageDown:
      return 34;
    case Qt::Key_End:
      return 35;
    case Qt::Key_Home:
      return 36;
    case Qt::Key_Left:
      return 37;
    case Qt::Key_Up:
      return 38;
    case Qt::Key_Right:
      return 39;
    case Qt::Key_Down:
      return 40;
    case Qt::Key_Insert:
      return 45;
    case Qt::Key_Delete:
      return 46;
    default:
      return 0;
  }
}

}  // namespace ordelix
