#pragma once

#include <optional>

#include <QFont>
#include <QList>
#include <QPointF>
#include <QPointer>
#include <QString>
#include <QWidget>

#include "button_look.h"
#include "button_picture.h"
#include "input_flags.h"
#include "ole_colour.h"
#include "property_bag.h"

class QMdiSubWindow;

namespace ordelix {

// Owner-drawn push button in one of sixteen styles, optionally a two-state check button. It
// raises its events as signals and knows nothing of its host beyond the widget tree.
//
// Properties: getters carry the property's name, setters "set" and the name. Enabled and Font
// are kept by the widget itself; setEnabled and setFont hide the widget's own so that a set marks
// the property, while a host enabling or restyling its window (through QWidget) marks nothing.
class FlexButton : public QWidget {
  Q_OBJECT

 public:
  // Starts as a control read from an empty store.
  explicit FlexButton(QWidget* parent = nullptr);

  // A freshly placed control: style 0 with its colours, focus rectangle on, Tahoma.
  void initNewInstance(const QString& displayName);
  // Stored colours win over the style's; entries missing from the store take the read defaults.
  void readProperties(const PropertyBag& bag);
  // Values equal to their written default are left out.
  void writeProperties(PropertyBag& bag) const;

  OleColor BackColor() const { return back_color_; }
  void setBackColor(OleColor New_BackColor);
  int ButtonStyle() const { return button_style_; }
  void setButtonStyle(int New_ButtonStyle);
  QString Caption() const { return caption_; }
  void setCaption(const QString& New_Caption);
  int CaptionAlign() const { return caption_align_; }
  void setCaptionAlign(int New_CaptionAlign);
  bool CheckBoxMode() const { return check_box_mode_; }
  void setCheckBoxMode(bool New_CheckBoxMode);
  bool Enabled() const { return !testAttribute(Qt::WA_ForceDisabled); }
  void setEnabled(bool New_Enabled);
  QFont Font() const { return font(); }
  void setFont(const QFont& New_Font);
  OleColor ForeColor() const { return fore_color_; }
  void setForeColor(OleColor New_ForeColor);
  bool HandPointer() const { return hand_pointer_; }
  void setHandPointer(bool New_HandPointer);
  WId hWnd() const { return effectiveWinId(); }
  OleColor MaskColor() const { return mask_color_; }
  void setMaskColor(OleColor New_MaskColor);
  ButtonPicture MouseIcon() const { return mouse_icon_; }
  void setMouseIcon(const ButtonPicture& New_Icon);
  qint16 MousePointer() const { return mouse_pointer_; }
  void setMousePointer(qint16 New_Cursor);
  ButtonPicture Picture() const { return picture_; }
  void setPicture(const ButtonPicture& New_Picture);
  int PictureAlign() const { return picture_align_; }
  void setPictureAlign(int New_PictureAlign);
  ButtonPicture PictureHover() const { return picture_hover_; }
  void setPictureHover(const ButtonPicture& New_PictureHover);
  int PictureSize() const { return picture_size_; }
  void setPictureSize(int New_Size);
  bool ShowFocusRect() const { return show_focus_rect_; }
  void setShowFocusRect(bool New_ShowFocusRect);
  bool UseMaskColor() const { return use_mask_color_; }
  void setUseMaskColor(bool New_UseMaskColor);
  bool Value() const { return value_; }
  void setValue(bool New_Value);

  void About();

  // Ambient: the host shows this control as its default button, which Enter anywhere in the
  // host window then presses.
  void setDisplayAsDefault(bool display);

  int drawState() const { return draw_state_; }
  InputFlags inputFlags() const;

 signals:
  void Click();
  void DblClick();
  void MouseEnter();
  void MouseLeave();
  void MouseMove(qint16 Button, qint16 Shift, float X, float Y);
  void MouseUp(qint16 Button, qint16 Shift, float X, float Y);
  void MouseDown(qint16 Button, qint16 Shift, float X, float Y);
  void KeyDown(qint16 KeyCode, qint16 Shift);
  void KeyUp(qint16 KeyCode, qint16 Shift);
  // The named property changed and is worth saving.
  void PropertyChanged(const QString& name);

 protected:
  bool event(QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void enterEvent(QEnterEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void mark(const char* name);
  void apply_style_defaults();
  void resize_handling();
  void update_access_key();
  void apply_cursor();
  QFont ambient_font() const;
  QVariant ambient_font_value() const;
  void font_changed();
  OleColor translated(OleColor colour) const;
  OleColor ambient_back_color() const;
  ButtonLook look() const;

  void pointer_entered();
  void pointer_left();
  void pointer_moved_off();
  bool is_over(QPointF position) const;
  void mouse_down(qint16 button, qint16 shift, QPointF position);
  void space_pressed();
  void space_released(qint16 shift);
  void access_key_pressed(qint16 KeyAcsii);
  void invert_value();
  void end_space_press();
  void watch_host_window();
  bool is_active_child() const;
  void host_activated();
  void host_deactivated();

  friend class FlexButtonAccessible;

  OleColor back_color_ = 0;
  int button_style_ = 1;
  QString caption_;
  int caption_align_ = 1;
  bool check_box_mode_ = false;
  OleColor fore_color_ = 0;
  bool hand_pointer_ = false;
  OleColor mask_color_ = 0;
  ButtonPicture mouse_icon_;
  qint16 mouse_pointer_ = 0;
  ButtonPicture picture_;
  int picture_align_ = 1;
  ButtonPicture picture_hover_;
  int picture_size_ = 0;
  bool show_focus_rect_ = false;
  bool use_mask_color_ = false;
  bool value_ = false;
  std::optional<int> font_charset_;  // as read from the store, which Qt's fonts cannot hold

  int draw_state_ = 0;
  bool mouse_over_ = false;
  bool mouse_down_ = false;
  qint16 last_down_button_ = 0;
  qint16 last_down_shift_ = 0;
  QPointF last_down_position_;
  bool has_access_key_ = false;
  int access_key_shortcut_ = 0;
  bool hand_cursor_loaded_ = false;
  bool loading_ = false;  // no change marks while the store is read

  bool focus_ = false;
  bool space_key_ = false;
  bool parent_active_ = false;
  bool default_look_ = false;
  QList<int> enter_shortcuts_;         // held while the control is the host's default button
  QPointer<QWidget> host_window_;      // whose activation is watched
  QPointer<QMdiSubWindow> mdi_child_;  // the host's own child window in a multiple-document frame
};

}  // namespace ordelix
