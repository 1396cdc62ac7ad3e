#pragma once

#include <QRect>

class QWidget;

namespace ordelix {

class FlexButton;

// One of the window's buttons, made from its stored description
// (":/window/<name>.txt").
FlexButton* add_window_button(QWidget* parent, const char* name, QRect geometry);

}  // namespace ordelix
