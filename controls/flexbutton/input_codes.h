#pragma once

#include <QKeyEvent>
#include <Qt>
#include <QtGlobal>

// The codes the control's events carry.
namespace ordelix {

inline constexpr qint16 mouse_left = 1;
inline constexpr qint16 shift_alt = 4;

inline constexpr qint16 key_enter = 13;
inline constexpr qint16 key_space = 32;
inline constexpr qint16 key_left = 37;
inline constexpr qint16 key_up = 38;
inline constexpr qint16 key_right = 39;
inline constexpr qint16 key_down = 40;

// Characters an access-key press can carry besides the access key's own.
inline constexpr qint16 ascii_enter = 13;
inline constexpr qint16 ascii_escape = 27;

// Left 1, right 2, middle 4; other buttons 0.
qint16 mouse_button_code(Qt::MouseButton button);
qint16 mouse_buttons_code(Qt::MouseButtons buttons);

// Shift 1, Ctrl 2, Alt 4, combined.
qint16 shift_code(Qt::KeyboardModifiers modifiers);
// The same for a key press: a modifier key counts as held while it goes down, which not every
// platform reports.
qint16 key_press_shift_code(int qt_key, Qt::KeyboardModifiers modifiers);

// The platform's virtual key code of a key press or release, as a keyboard with the US layout
// gives it: Enter 13, Space 32, letters and digits as their upper-case characters, arrows 37 to
// 40, punctuation as its key ("." 190, "," 188, "-" 189; a shifted character as its key: "!" 49),
// and the keypad's own codes (digits 96 to 105) for keys marked by Qt::KeypadModifier. A key whose
// character gives no code, such as a letter of a non-Latin layout, is named by where it sits on
// the keyboard, where the platform tells that; 0 for keys without a code.
qint16 key_code(const QKeyEvent& event);

}  // namespace ordelix
