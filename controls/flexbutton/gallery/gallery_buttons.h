#pragma once

#include <QString>

#include "flexbutton.h"

namespace ordelix {

// Every style value and one beyond them.
inline constexpr int gallery_styles = 17;

// "5  DropShadow"; the value past the styles is labelled as such.
QString style_label(int style);

// A button of `style` with the style's own colours and the gallery's caption and size.
FlexButton* add_gallery_button(QWidget* parent, int style);

}  // namespace ordelix
