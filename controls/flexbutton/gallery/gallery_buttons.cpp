#include "gallery_buttons.h"

#include <array>

namespace ordelix {

QString style_label(int style) {
  static constexpr std::array<const char*, gallery_styles> names{
      "Standard",     "Flat",         "RoundedBlue", "RoundedBeige", "GlassBlue",      "DropShadow",
      "SoftGradient", "OrangeGlow",   "SkyBlue",     "HoverFrame",   "ShadedGradient", "HotTrack3D",
      "FlatHotTrack", "WarmGradient", "PixelSkin",   "GreyGradient", "(caption only)"};
  if (style < 0 || style >= gallery_styles) return QString::number(style);
  return QString("%1  %2").arg(style).arg(names[static_cast<std::size_t>(style)]);
}

FlexButton* add_gallery_button(QWidget* parent, int style) {
  auto* button = new FlexButton(parent);
  button->initNewInstance("Button");
  button->setButtonStyle(style);
  button->setFixedSize(120, 36);
  return button;
}

}  // namespace ordelix
