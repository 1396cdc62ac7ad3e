#pragma once

#include <QtGlobal>

namespace ordelix {

// The virtual key code of the key at a keyboard position, by the X keyboard's key number
// (evdev's plus 8), for the keys that type characters; 0 for other keys.
qint16 key_code_at_position(quint32 key_number);

}  // namespace ordelix
