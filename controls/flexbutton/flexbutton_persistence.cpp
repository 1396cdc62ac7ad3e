#include <QApplication>
#include <QScopedValueRollback>

#include "flexbutton.h"
#include "stored_font.h"

namespace ordelix {
namespace {

// Also the written default, unlike the stored format's "flexbutton1": a caption equal to that
// would be left out and read back as "flexbutton".
const QString default_caption = QStringLiteral("flexbutton");
constexpr OleColor default_mask_color = 14737632;

ButtonPicture picture_entry(const PropertyBag& bag, QStringView key) {
  return bag.read(key, QVariant::fromValue(ButtonPicture())).value<ButtonPicture>();
}

QVariant picture_value(const ButtonPicture& picture) {
  return QVariant::fromValue(picture);
}

}  // namespace

void FlexButton::initNewInstance(const QString& displayName) {
  const QScopedValueRollback quiet(loading_, true);
  show_focus_rect_ = true;
  QWidget::setEnabled(true);
  button_style_ = 0;
  caption_ = displayName;
  QFont tahoma = font();
  tahoma.setFamily("Tahoma");
  QWidget::setFont(tahoma);
  picture_align_ = 1;
  caption_align_ = 1;
  use_mask_color_ = false;
  mask_color_ = default_mask_color;
  apply_style_defaults();
  update_access_key();
  resize_handling();
}

void FlexButton::readProperties(const PropertyBag& bag) {
  const QScopedValueRollback quiet(loading_, true);
  button_style_ = bag.read(u"ButtonStyle", 1).toInt();
  show_focus_rect_ = bag.read(u"ShowFocusRect", false).toBool();
  const auto stored_font = bag.read(u"Font", ambient_font_value()).value<StoredFont>();
  QWidget::setFont(stored_font.font);
  font_charset_ = stored_font.charset;
  back_color_ = bag.read(u"BackColor", translated(system_button_face)).toUInt();
  const bool enabled = bag.read(u"Enabled", true).toBool();
  caption_ = bag.read(u"Caption", default_caption).toString();
  value_ = bag.read(u"Value", false).toBool();
  mouse_pointer_ = bag.read(u"MousePointer", QVariant::fromValue<qint16>(0)).value<qint16>();
  hand_pointer_ = bag.read(u"HandPointer", false).toBool();
  mouse_icon_ = picture_entry(bag, u"MouseIcon");
  picture_ = picture_entry(bag, u"Picture");
  picture_hover_ = picture_entry(bag, u"PictureHover");
  picture_size_ = bag.read(u"PictureSize", 0).toInt();
  mask_color_ = bag.read(u"MaskColor", default_mask_color).toUInt();
  use_mask_color_ = bag.read(u"UseMaskCOlor", false).toBool();
  check_box_mode_ = bag.read(u"CheckBoxMode", false).toBool();
  picture_align_ = bag.read(u"PictureAlign", 1).toInt();
  caption_align_ = bag.read(u"CaptionAlign", 1).toInt();
  fore_color_ = bag.read(u"ForeColor", translated(system_button_text)).toUInt();
  QWidget::setEnabled(enabled);
  update_access_key();
  hand_cursor_loaded_ = hand_pointer_;
  apply_cursor();
  resize_handling();
}

void FlexButton::writeProperties(PropertyBag& bag) const {
  bag.write("ButtonStyle", button_style_, 1);
  bag.write("ShowFocusRect", show_focus_rect_, false);
  bag.write("Enabled", Enabled(), true);
  bag.write("Font", QVariant::fromValue(StoredFont{font(), font_charset_}), ambient_font_value());
  bag.write("BackColor", back_color_, translated(system_button_face));
  bag.write("Caption", caption_, default_caption);
  bag.write("ForeColor", fore_color_, translated(system_button_text));
  bag.write("CheckBoxMode", check_box_mode_, false);
  bag.write("Value", value_, false);
  bag.write("MousePointer", mouse_pointer_, 0);
  bag.write("HandPointer", hand_pointer_, false);
  bag.write("MouseIcon", picture_value(mouse_icon_), picture_value({}));
  bag.write("Picture", picture_value(picture_), picture_value({}));
  bag.write("PictureHover", picture_value(picture_hover_), picture_value({}));
  bag.write("PictureAlign", picture_align_, 1);
  bag.write("pictureSize", picture_size_, 0);
  bag.write("UseMaskCOlor", use_mask_color_, false);
  bag.write("MaskColor", mask_color_, default_mask_color);
  bag.write("CaptionAlign", caption_align_, 1);
}

QFont FlexButton::ambient_font() const {
  return parentWidget() ? parentWidget()->font() : QApplication::font();
}

QVariant FlexButton::ambient_font_value() const {
  return QVariant::fromValue(StoredFont{ambient_font(), std::nullopt});
}

}  // namespace ordelix
