#include "flexbutton.h"

#include <QCursor>
#include <QKeySequence>
#include <QMessageBox>
#include <QPixmap>

#include "access_key.h"
#include "button_styles.h"
#include "flexbutton_accessible.h"
#include "font_substitutes.h"
#include "mouse_pointer.h"
#include "window_region.h"

namespace ordelix {
namespace {

// The smallest width and height, in twips as the stored sizes count.
constexpr double minimum_twips = 220;
constexpr double twips_per_inch = 1440;

}  // namespace

FlexButton::FlexButton(QWidget* parent) : QWidget(parent) {
  register_font_substitutes();
  register_flexbutton_accessibility();
  setAttribute(Qt::WA_OpaquePaintEvent);
  setMouseTracking(true);
  setFocusPolicy(Qt::StrongFocus);
  setMinimumSize(qRound(minimum_twips * logicalDpiX() / twips_per_inch),
                 qRound(minimum_twips * logicalDpiY() / twips_per_inch));
  readProperties(PropertyBag());
}

void FlexButton::setBackColor(OleColor New_BackColor) {
  back_color_ = New_BackColor;
  update();
  mark("BackColor");
}

void FlexButton::setButtonStyle(int New_ButtonStyle) {
  button_style_ = New_ButtonStyle;
  apply_style_defaults();
  resize_handling();
  mark("ButtonStyle");
}

void FlexButton::setCaption(const QString& New_Caption) {
  caption_ = New_Caption;
  update_access_key();
  update();
  mark("Caption");
}

void FlexButton::setCaptionAlign(int New_CaptionAlign) {
  caption_align_ = New_CaptionAlign;
  update();
  mark("CaptionAlign");
}

void FlexButton::setCheckBoxMode(bool New_CheckBoxMode) {
  check_box_mode_ = New_CheckBoxMode;
  if (!New_CheckBoxMode) draw_state_ = 0;
  update();
  mark("Value");
  mark("CheckBoxMode");
}

void FlexButton::setEnabled(bool New_Enabled) {
  QWidget::setEnabled(New_Enabled);
  update();
  mark("Enabled");
}

void FlexButton::setFont(const QFont& New_Font) {
  QWidget::setFont(New_Font);
  update();
  mark("Font");
  font_changed();
}

void FlexButton::setForeColor(OleColor New_ForeColor) {
  fore_color_ = New_ForeColor;
  resize_handling();
  mark("ForeColor");
}

void FlexButton::setHandPointer(bool New_HandPointer) {
  hand_pointer_ = New_HandPointer;
  apply_cursor();
  mark("HandPointer");
}

void FlexButton::setMaskColor(OleColor New_MaskColor) {
  mask_color_ = New_MaskColor;
  update();
  mark("MaskColor");
}

void FlexButton::setMouseIcon(const ButtonPicture& New_Icon) {
  // A picture that failed to load cannot be a cursor; the previous icon stays.
  if (New_Icon.isNone() || !New_Icon.image.isNull()) mouse_icon_ = New_Icon;
  mouse_pointer_ = New_Icon.isNone() ? 0 : custom_mouse_pointer;
  apply_cursor();
  mark("MouseIcon");
}

void FlexButton::setMousePointer(qint16 New_Cursor) {
  mouse_pointer_ = New_Cursor;
  apply_cursor();
  mark("MousePointer");
}

void FlexButton::setPicture(const ButtonPicture& New_Picture) {
  picture_ = New_Picture;
  if (New_Picture.isNone()) {
    resize_handling();
    return;
  }
  update();
  mark("Picture");
}

void FlexButton::setPictureAlign(int New_PictureAlign) {
  picture_align_ = New_PictureAlign;
  if (!picture_.isNone()) update();
  mark("PictureAlign");
}

void FlexButton::setPictureHover(const ButtonPicture& New_PictureHover) {
  if (picture_.isNone()) {
    picture_ = New_PictureHover;
    mark("Picture");
  }
  picture_hover_ = New_PictureHover;
  if (New_PictureHover.isNone()) {
    resize_handling();
    return;
  }
  update();
  mark("PictureHover");
}

void FlexButton::setPictureSize(int New_Size) {
  picture_size_ = New_Size;
  update();
  mark("PictureSize");
}

void FlexButton::setShowFocusRect(bool New_ShowFocusRect) {
  show_focus_rect_ = New_ShowFocusRect;
  mark("ShowFocusRect");
}

void FlexButton::setUseMaskColor(bool New_UseMaskColor) {
  use_mask_color_ = New_UseMaskColor;
  if (!picture_.isNone()) update();
  mark("UseMaskColor");
}

void FlexButton::setValue(bool New_Value) {
  if (check_box_mode_) {
    value_ = New_Value;
    if (!New_Value) draw_state_ = 0;
    update();
    mark("Value");
    return;
  }
  draw_state_ = 0;
  update();
}

void FlexButton::About() {
  QMessageBox box(QMessageBox::Information, "About",
                  "FlexButton\nA Multistyle Button Control\n\nDrawn by hand for Ordelix.",
                  QMessageBox::Ok, this);
  box.exec();
}

void FlexButton::mark(const char* name) {
  if (!loading_) emit PropertyChanged(QString::fromLatin1(name));
}

// Qt's fonts are values that report no changes of their own, so this runs after a set alone.
void FlexButton::font_changed() {
  update();
  mark("Font");
}

void FlexButton::apply_style_defaults() {
  const std::optional<StyleDefaults> defaults = style_defaults(button_style_);
  if (!defaults) return;
  back_color_ = translated(defaults->back_color);
  fore_color_ = translated(defaults->fore_color);
  show_focus_rect_ = defaults->show_focus_rect;
}

void FlexButton::resize_handling() {
  setMask(window_region(button_style_, size()));
  update();
}

void FlexButton::update_access_key() {
  if (access_key_shortcut_ != 0) releaseShortcut(access_key_shortcut_);
  access_key_shortcut_ = 0;
  const std::optional<QChar> key = access_key(caption_);
  has_access_key_ = key.has_value();
  if (!key) return;
  const auto qt_key = static_cast<Qt::Key>(key->toUpper().unicode());
  access_key_shortcut_ = grabShortcut(QKeySequence(QKeyCombination(Qt::AltModifier, qt_key)));
}

void FlexButton::apply_cursor() {
  if (hand_cursor_loaded_ && hand_pointer_) {
    setCursor(Qt::PointingHandCursor);
  } else if (mouse_pointer_ == custom_mouse_pointer && !mouse_icon_.image.isNull()) {
    setCursor(QCursor(QPixmap::fromImage(mouse_icon_.image)));
  } else if (const std::optional<Qt::CursorShape> shape = mouse_pointer_shape(mouse_pointer_)) {
    setCursor(*shape);
  } else {
    unsetCursor();
  }
}

OleColor FlexButton::translated(OleColor colour) const {
  return translate_colour(colour, palette());
}

OleColor FlexButton::ambient_back_color() const {
  const QWidget* host = parentWidget() ? parentWidget() : this;
  return from_qcolor(host->palette().color(host->backgroundRole()));
}

ButtonLook FlexButton::look() const {
  ButtonLook current;
  current.style = button_style_;
  current.draw_state = draw_state_;
  current.enabled = isEnabled();
  current.checked = check_box_mode_ && value_;
  current.surface = shows_ambient_background(button_style_) ? ambient_back_color()
                                                            : translated(system_button_face);
  current.back_color = translated(back_color_);
  current.fore_color = translated(fore_color_);
  current.grey_text = translated(system_grey_text);
  current.button_text = translated(system_button_text);
  current.app_workspace = translated(system_app_workspace);
  current.edge = {translated(system_3d_light), translated(system_button_highlight),
                  translated(system_button_shadow), translated(system_3d_dark_shadow)};
  current.show_focus_rect = show_focus_rect_;
  current.focused = focus_;
  current.default_look = default_look_;
  current.parent_active = parent_active_;
  current.mouse_over = mouse_over_;
  current.mouse_down = mouse_down_;
  current.caption = caption_;
  current.has_access_key = has_access_key_;
  current.font = font();
  current.picture = picture_;
  current.picture_hover = picture_hover_;
  current.picture_size = picture_size_;
  current.picture_align = picture_align_;
  current.caption_align = caption_align_;
  current.mask_color = translated(mask_color_);
  current.use_mask_color = use_mask_color_;
  return current;
}

}  // namespace ordelix
