#include <optional>

#include <QLineEdit>
#include <QTest>

#include "flexbutton.h"
#include "last_stage.h"
#include "property_bag.h"
#include "test_classes.h"

using namespace ordelix;

namespace {

constexpr QRgb ground = qRgb(40, 80, 120);

QImage surface(int w, int h) {
  QImage image(w, h, QImage::Format_RGB32);
  image.fill(ground);
  return image;
}

// The smallest rectangle holding every pixel that differs between the two images.
QRect changed_area(const QImage& before, const QImage& after) {
  QRect area;
  for (int y = 0; y < before.height(); ++y)
    for (int x = 0; x < before.width(); ++x)
      if (before.pixel(x, y) != after.pixel(x, y)) area |= QRect(x, y, 1, 1);
  return area;
}

ButtonLook focused_look(int style) {
  ButtonLook look;
  look.style = style;
  look.show_focus_rect = true;
  look.focused = true;
  look.parent_active = true;
  return look;
}

// Where the top-left pixel of a pure red picture landed; none when it was not drawn.
std::optional<QPoint> red_at(const QImage& image) {
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if (image.pixel(x, y) == qRgb(255, 0, 0)) return QPoint(x, y);
  return std::nullopt;
}

}  // namespace

class LastStageTest : public QObject {
  Q_OBJECT

 private slots:
  // On a 40 x 20 control; the rectangles are the styles' own, right and bottom exclusive.
  void focusRectangleByStyle_data() {
    QTest::addColumn<int>("style");
    QTest::addColumn<int>("draw_state");
    QTest::addColumn<bool>("checked");
    QTest::addColumn<QRect>("dotted");
    QTest::addRow("Standard: 4 in from every side") << 0 << 0 << false << QRect(4, 4, 32, 12);
    QTest::addRow("HotTrack3D, hot: the same") << 11 << 1 << false << QRect(4, 4, 32, 12);
    QTest::addRow("Flat, pressed: 3 in") << 1 << 2 << false << QRect(3, 3, 34, 14);
    QTest::addRow("FlatHotTrack: 3 in") << 12 << 0 << false << QRect(3, 3, 34, 14);
    QTest::addRow("GreyGradient, even checked: 3 in") << 15 << 2 << true << QRect(3, 3, 34, 14);
    QTest::addRow("SoftGradient: 3 in") << 6 << 0 << false << QRect(3, 3, 34, 14);
    QTest::addRow("DropShadow raised: over the body, clear of the shadow")
        << 5 << 1 << false << QRect(3, 3, 31, 11);
    QTest::addRow("DropShadow pressed: moved onto the shadow")
        << 5 << 2 << false << QRect(6, 6, 31, 11);
    QTest::addRow("Standard checked: the sunken look has none") << 0 << 2 << true << QRect();
    QTest::addRow("Flat checked: none") << 1 << 2 << true << QRect();
    QTest::addRow("ShadedGradient: none of its own") << 10 << 0 << false << QRect();
    QTest::addRow("SkyBlue: none") << 8 << 0 << false << QRect();
  }
  void focusRectangleByStyle() {
    QFETCH(int, style);
    QFETCH(int, draw_state);
    QFETCH(bool, checked);
    QFETCH(QRect, dotted);
    ButtonLook look = focused_look(style);
    look.draw_state = draw_state;
    look.checked = checked;
    QImage image = surface(40, 20);
    draw_focus_rectangle(image, look);
    QCOMPARE(changed_area(surface(40, 20), image), dotted);
  }

  void focusRectangleOnlyWhenAllConditionsHold_data() {
    QTest::addColumn<bool>("focus");
    QTest::addColumn<bool>("default_look");
    QTest::addColumn<bool>("show_focus_rect");
    QTest::addColumn<bool>("parent_active");
    QTest::addColumn<bool>("drawn");
    QTest::addRow("focus") << true << false << true << true << true;
    QTest::addRow("the default look without focus") << false << true << true << true << true;
    QTest::addRow("neither focus nor default look") << false << false << true << true << false;
    QTest::addRow("ShowFocusRect off") << true << true << false << true << false;
    QTest::addRow("host window inactive") << true << true << true << false << false;
  }
  void focusRectangleOnlyWhenAllConditionsHold() {
    QFETCH(bool, focus);
    QFETCH(bool, default_look);
    QFETCH(bool, show_focus_rect);
    QFETCH(bool, parent_active);
    QFETCH(bool, drawn);
    ButtonLook look = focused_look(15);
    look.focused = focus;
    look.default_look = default_look;
    look.show_focus_rect = show_focus_rect;
    look.parent_active = parent_active;
    QImage image = surface(40, 20);
    draw_focus_rectangle(image, look);
    QCOMPARE(image != surface(40, 20), drawn);
  }

  // A 4 x 4 picture centred on a 40 x 20 control sits at (18, 8) before any offset.
  void pressedPictureOffsets_data() {
    QTest::addColumn<int>("style");
    QTest::addColumn<int>("draw_state");
    QTest::addColumn<QPoint>("at");
    QTest::addRow("Standard pressed: one right and down") << 0 << 2 << QPoint(19, 9);
    QTest::addRow("Flat pressed") << 1 << 2 << QPoint(19, 9);
    QTest::addRow("RoundedBeige pressed") << 3 << 2 << QPoint(19, 9);
    QTest::addRow("SkyBlue pressed") << 8 << 2 << QPoint(19, 9);
    QTest::addRow("Standard hot: in place") << 0 << 1 << QPoint(18, 8);
    QTest::addRow("ShadedGradient pressed: in place") << 10 << 2 << QPoint(18, 8);
    QTest::addRow("DropShadow pressed: two right and down") << 5 << 2 << QPoint(20, 10);
    QTest::addRow("DropShadow normal: one left and up") << 5 << 0 << QPoint(17, 7);
    QTest::addRow("DropShadow hot: one left and up") << 5 << 1 << QPoint(17, 7);
  }
  void pressedPictureOffsets() {
    QFETCH(int, style);
    QFETCH(int, draw_state);
    QFETCH(QPoint, at);
    QImage red(4, 4, QImage::Format_RGB32);
    red.fill(qRgb(255, 0, 0));
    ButtonLook look;
    look.style = style;
    look.draw_state = draw_state;
    look.picture = {red, ButtonPicture::Kind::Bitmap, {}};
    look.picture_align = 4;
    QImage image = surface(40, 20);
    QPainter painter(&image);
    draw_last_stage(painter, image.size(), look);
    painter.end();
    QCOMPARE(red_at(image), std::optional<QPoint>(at));
  }

  void pressedCaptionMovesOneRightAndDown() {
    ButtonLook look;
    look.style = 10;
    look.caption = "Exit";
    look.fore_color = rgb(255, 255, 255);
    auto drawn = [&look](int draw_state) {
      look.draw_state = draw_state;
      QImage image = surface(80, 30);
      QPainter painter(&image);
      draw_last_stage(painter, image.size(), look);
      return image;
    };
    const QImage normal = drawn(0);
    const QImage pressed = drawn(2);
    QVERIFY(normal != surface(80, 30));
    QCOMPARE(pressed.copy(1, 1, 79, 29), normal.copy(0, 0, 79, 29));
  }

  // The whole chain: the focus arrives by Tab, the dotted rectangle follows it, and leaves with
  // the host window's activation.
  void focusRectangleFollowsTabAndActivation() {
    QWidget host;
    host.resize(200, 80);
    auto* before = new QLineEdit(&host);
    before->setGeometry(0, 0, 40, 20);
    auto* button = new FlexButton(&host);
    button->readProperties(
        PropertyBag(u"ButtonStyle = 15\nShowFocusRect = True\nCaption = \"\"\n"));
    button->setGeometry(40, 30, 120, 40);
    QWidget elsewhere;
    elsewhere.show();
    host.show();
    host.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&host));
    const QImage without = button->grab().toImage();
    QTest::keyClick(host.windowHandle(), Qt::Key_Tab);
    QVERIFY(button->hasFocus());
    QCOMPARE(changed_area(without, button->grab().toImage()), QRect(3, 3, 114, 34));
    elsewhere.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&elsewhere));
    QCOMPARE(button->grab().toImage(), without);
  }
};

FLEXBUTTON_TEST_CLASS(LastStageTest)
#include "last_stage_test.moc"
