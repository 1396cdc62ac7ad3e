#pragma once

#include <Qt>
#include <QtGlobal>

// The codes the control's events carry.
namespace ordelix {

// Left 1, right 2, middle 4; other buttons 0.
qint16 mouse_button_code(Qt::MouseButton button);
qint16 mouse_buttons_code(Qt::MouseButtons buttons);

// Shift 1, Ctrl 2, Alt 4, combined.
qint16 shift_code(Qt::KeyboardModifiers modifiers);

// Virtual key codes: Enter 13, Space 32, letters and digits as their upper-case characters,
// arrows 37 to 40; 0 for keys without one.
qint16 key_code(int qt_key);

}  // namespace ordelix
