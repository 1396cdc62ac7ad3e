#include <QGuiApplication>

#include "input_codes.h"
#include "key_positions.h"

namespace ordelix {
namespace {

qint16 keypad_code(int qt_key) {
  if (qt_key >= Qt::Key_0 && qt_key <= Qt::Key_9)
    return static_cast<qint16>(96 + qt_key - Qt::Key_0);
  switch (qt_key) {
    case Qt::Key_Asterisk:
      return 106;
    case Qt::Key_Plus:
      return 107;
    case Qt::Key_Minus:
      return 109;
    case Qt::Key_Period:
    case Qt::Key_Comma:  // the decimal key, whichever separator the locale gives it
      return 110;
    case Qt::Key_Slash:
      return 111;
    default:
      return 0;  // with Num Lock off the keypad gives the named keys
  }
}

// Characters by the key that types them on the US layout, shifted or not.
qint16 character_code(int qt_key) {
  switch (qt_key) {
    case Qt::Key_ParenRight:
      return '0';
    case Qt::Key_Exclam:
      return '1';
    case Qt::Key_At:
      return '2';
    case Qt::Key_NumberSign:
      return '3';
    case Qt::Key_Dollar:
      return '4';
    case Qt::Key_Percent:
      return '5';
    case Qt::Key_AsciiCircum:
      return '6';
    case Qt::Key_Ampersand:
      return '7';
    case Qt::Key_Asterisk:
      return '8';
    case Qt::Key_ParenLeft:
      return '9';
    case Qt::Key_Semicolon:
    case Qt::Key_Colon:
    case Qt::Key_Udiaeresis:  // where the German layout has them
      return 186;
    case Qt::Key_Equal:
    case Qt::Key_Plus:
      return 187;
    case Qt::Key_Comma:
    case Qt::Key_Less:
      return 188;
    case Qt::Key_Minus:
    case Qt::Key_Underscore:
      return 189;
    case Qt::Key_Period:
    case Qt::Key_Greater:
      return 190;
    case Qt::Key_Slash:
    case Qt::Key_Question:
      return 191;
    case Qt::Key_QuoteLeft:
    case Qt::Key_AsciiTilde:
    case Qt::Key_Odiaeresis:
      return 192;
    case Qt::Key_BracketLeft:
    case Qt::Key_BraceLeft:
    case Qt::Key_ssharp:
      return 219;
    case Qt::Key_Backslash:
    case Qt::Key_Bar:
      return 220;
    case Qt::Key_BracketRight:
    case Qt::Key_BraceRight:
      return 221;
    case Qt::Key_Apostrophe:
    case Qt::Key_QuoteDbl:
    case Qt::Key_Adiaeresis:
      return 222;
    default:
      return 0;
  }
}

qint16 named_key_code(int qt_key) {
  if (qt_key >= Qt::Key_F1 && qt_key <= Qt::Key_F24)
    return static_cast<qint16>(112 + (qt_key - Qt::Key_F1));
  switch (qt_key) {
    case Qt::Key_Backspace:
      return 8;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
      return 9;
    case Qt::Key_Clear:
      return 12;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      return 13;
    case Qt::Key_Shift:
      return 16;
    case Qt::Key_Control:
      return 17;
    case Qt::Key_Alt:
    case Qt::Key_AltGr:
      return 18;
    case Qt::Key_Pause:
      return 19;
    case Qt::Key_CapsLock:
      return 20;
    case Qt::Key_Escape:
      return 27;
    case Qt::Key_Space:
      return 32;
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
    case Qt::Key_Select:
      return 41;
    case Qt::Key_Execute:
      return 43;
    case Qt::Key_Print:
      return 44;
    case Qt::Key_Insert:
      return 45;
    case Qt::Key_Delete:
      return 46;
    case Qt::Key_Help:
      return 47;
    case Qt::Key_Meta:
    case Qt::Key_Super_L:
      return 91;
    case Qt::Key_Super_R:
      return 92;
    case Qt::Key_Menu:
      return 93;
    case Qt::Key_Sleep:
      return 95;
    case Qt::Key_NumLock:
      return 144;
    case Qt::Key_ScrollLock:
      return 145;
    case Qt::Key_Back:
      return 166;
    case Qt::Key_Forward:
      return 167;
    case Qt::Key_Refresh:
      return 168;
    case Qt::Key_Stop:
      return 169;
    case Qt::Key_Search:
      return 170;
    case Qt::Key_Favorites:
      return 171;
    case Qt::Key_HomePage:
      return 172;
    case Qt::Key_VolumeMute:
      return 173;
    case Qt::Key_VolumeDown:
      return 174;
    case Qt::Key_VolumeUp:
      return 175;
    case Qt::Key_MediaNext:
      return 176;
    case Qt::Key_MediaPrevious:
      return 177;
    case Qt::Key_MediaStop:
      return 178;
    case Qt::Key_MediaPlay:
    case Qt::Key_MediaTogglePlayPause:
      return 179;
    case Qt::Key_LaunchMail:
      return 180;
    case Qt::Key_LaunchMedia:
      return 181;
    case Qt::Key_Launch0:
      return 182;
    case Qt::Key_Launch1:
      return 183;
    default:
      return 0;
  }
}

// Where the platform's scan code is the keyboard's key number (X11 and Wayland alike).
bool scan_codes_are_key_numbers() {
  const QString platform = QGuiApplication::platformName();
  return platform == u"xcb" || platform.startsWith(u"wayland");
}

qint16 code_of_qt_key(int qt_key, Qt::KeyboardModifiers modifiers) {
  if (modifiers & Qt::KeypadModifier) {
    if (const qint16 code = keypad_code(qt_key)) return code;
  }
  if ((qt_key >= Qt::Key_A && qt_key <= Qt::Key_Z) || (qt_key >= Qt::Key_0 && qt_key <= Qt::Key_9))
    return static_cast<qint16>(qt_key);
  if (const qint16 code = named_key_code(qt_key)) return code;
  return character_code(qt_key);
}

}  // namespace

qint16 key_code(const QKeyEvent& event) {
  if (const qint16 code = code_of_qt_key(event.key(), event.modifiers())) return code;
  if (!scan_codes_are_key_numbers()) return 0;
  return key_code_at_position(event.nativeScanCode());
}

}  // namespace ordelix
