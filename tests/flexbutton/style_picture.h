#pragma once

#include <memory>

#include <QApplication>
#include <QEnterEvent>
#include <QImage>
#include <QRegion>
#include <QTest>
#include <QWidget>

#include "flexbutton.h"

// Expected pictures described by hand, corners inclusive, and buttons drawn at a known size and
// in known system colours.
namespace style_test {

using ordelix::OleColor;

// The host's system colours; the palette roles stand for the platform's.
inline const QRgb face = qRgb(200, 201, 202);
inline const QRgb light = qRgb(230, 231, 232);      // 3D light
inline const QRgb highlight = qRgb(250, 251, 252);  // button highlight
inline const QRgb shadow = qRgb(120, 121, 122);     // button shadow
inline const QRgb dark = qRgb(40, 41, 42);          // 3D dark shadow
inline const QRgb workspace = qRgb(90, 91, 92);     // application workspace
inline const QRgb grey_text = qRgb(150, 151, 152);
inline const QRgb button_text = qRgb(10, 11, 12);
inline const QRgb window = qRgb(60, 70, 80);  // the host window's background

// The size and BackColor most tests draw at.
inline const QSize button_size(30, 20);
inline const OleColor back = ordelix::rgb(100, 110, 120);
inline const QRgb back_rgb = qRgb(100, 110, 120);
inline const QRgb white = qRgb(255, 255, 255);

class Picture {
 public:
  Picture(QSize size, QRgb background) : image_(size, QImage::Format_RGB32) {
    image_.fill(background);
  }
  Picture& box(int x0, int y0, int x1, int y1, QRgb colour) {
    for (int y = y0; y <= y1; ++y)
      for (int x = x0; x <= x1; ++x) image_.setPixel(x, y, colour);
    return *this;
  }
  Picture& outline(int x0, int y0, int x1, int y1, QRgb colour) {
    return row(y0, x0, x1, colour)
        .row(y1, x0, x1, colour)
        .column(x0, y0, y1, colour)
        .column(x1, y0, y1, colour);
  }
  Picture& row(int y, int x0, int x1, QRgb colour) { return box(x0, y, x1, y, colour); }
  Picture& column(int x, int y0, int y1, QRgb colour) { return box(x, y0, x, y1, colour); }
  Picture& pixel(int x, int y, QRgb colour) { return box(x, y, x, y, colour); }
  const QImage& image() const { return image_; }

 private:
  QImage image_;
};

inline QRgb at(const QImage& image, int x, int y) {
  return image.pixel(x, y) | 0xFF000000;
}

inline QString rgbText(QRgb c) {
  return QString("(%1, %2, %3)").arg(qRed(c)).arg(qGreen(c)).arg(qBlue(c));
}

// The first pixel inside `shown` where the two differ, or an empty string.
inline QString firstDifference(const QImage& actual, const QImage& expected,
                               const QRegion& shown = {}) {
  if (actual.size() != expected.size()) return "size differs";
  for (int y = 0; y < expected.height(); ++y)
    for (int x = 0; x < expected.width(); ++x) {
      if (!shown.isEmpty() && !shown.contains(QPoint(x, y))) continue;
      if (at(actual, x, y) != at(expected, x, y))
        return QString("(%1, %2) is %3, expected %4")
            .arg(x)
            .arg(y)
            .arg(rgbText(at(actual, x, y)))
            .arg(rgbText(at(expected, x, y)));
    }
  return {};
}

// A button of `style` on a host window whose palette holds the colours above.
class StyledButton {
 public:
  StyledButton(int style, OleColor back_color, QSize size) : host_(new QWidget) {
    QPalette palette = host_->palette();
    palette.setColor(QPalette::Button, face);
    palette.setColor(QPalette::Midlight, light);
    palette.setColor(QPalette::Light, highlight);
    palette.setColor(QPalette::Dark, shadow);
    palette.setColor(QPalette::Shadow, dark);
    palette.setColor(QPalette::Mid, workspace);
    palette.setColor(QPalette::ButtonText, button_text);
    palette.setColor(QPalette::Disabled, QPalette::Text, grey_text);
    palette.setColor(QPalette::Window, window);
    host_->setPalette(palette);
    host_->resize(size + QSize(20, 20));
    button_ = new ordelix::FlexButton(host_.get());
    button_->readProperties(ordelix::PropertyBag(
        QString("ButtonStyle = %1\nBackColor = %2\nCaption = \"\"\n").arg(style).arg(back_color)));
    button_->setGeometry(QRect(QPoint(10, 10), size));
  }

  ordelix::FlexButton& operator*() { return *button_; }
  ordelix::FlexButton* operator->() { return button_; }
  QImage image() { return button_->grab().toImage(); }

  void hover() {
    const QPointF centre = QRectF(button_->rect()).center();
    QEnterEvent enter(centre, centre, centre);
    QApplication::sendEvent(button_, &enter);
  }
  void press() {
    hover();
    QTest::mousePress(button_, Qt::LeftButton, {}, button_->rect().center());
  }
  void check() {
    button_->setCheckBoxMode(true);
    button_->setValue(true);
  }
  void show() { host_->show(); }
  // Focus as the control knows it: the keyboard focus in the active window.
  bool focus() {
    show();
    host_->activateWindow();
    if (!QTest::qWaitForWindowActive(host_.get())) return false;
    button_->setFocus();
    return button_->hasFocus();
  }

 private:
  std::unique_ptr<QWidget> host_;
  ordelix::FlexButton* button_;
};

}  // namespace style_test
