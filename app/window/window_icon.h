#pragma once

#include <QIcon>

namespace ordelix {

// The program's icon, drawn at each size the desktop installs, as the
// window's own: the same picture in the title bar as in the menu.
QIcon window_icon();

}  // namespace ordelix
