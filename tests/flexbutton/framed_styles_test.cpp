#include "style_picture.h"
#include "test_classes.h"
#include "window_region.h"

using namespace style_test;
using ordelix::rgb;

namespace {

// 30 x 20, BackColor RGB(100, 110, 120) unless a test says otherwise. Shifts add
// round(f * 255): 0.02 -> 5, 0.05 -> 13, 0.1 -> 26, 0.2 -> 51, 0.3 -> 76.5 -> 76 (halves to even).

QRegion shown(int style) {
  return ordelix::window_region(style, button_size);
}

bool contains(const QImage& image, QRgb colour) {
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if (at(image, x, y) == colour) return true;
  return false;
}

void expectCorners(const QImage& image, QRgb colour) {
  for (QPoint corner : {QPoint(1, 1), QPoint(28, 1), QPoint(1, 18), QPoint(28, 18)})
    QCOMPARE(at(image, corner.x(), corner.y()), colour);
}

}  // namespace

class FramedStylesTest : public QObject {
  Q_OBJECT

 private slots:
  void roundedBeigeNormalIsBackColorInsideItsRegion() {
    StyledButton button(3, back, button_size);
    QCOMPARE(firstDifference(button.image(), Picture(button_size, back_rgb).image(), shown(3)),
             QString());
  }

  // Shift(RGB(220, 218, 209), -0.02) and so on for the four lines; corners Shift(RGB(181, 180,
  // 171), -0.2).
  void roundedBeigePressed() {
    StyledButton button(3, back, button_size);
    button.press();
    const QImage expected = Picture(button_size, qRgb(229, 228, 221))
                                .row(1, 1, 27, qRgb(215, 213, 204))
                                .row(2, 1, 27, qRgb(222, 220, 213))
                                .row(17, 1, 27, qRgb(235, 234, 227))
                                .row(18, 1, 27, qRgb(240, 239, 234))
                                .outline(0, 0, 29, 19, qRgb(157, 157, 146))
                                .pixel(1, 1, qRgb(130, 129, 120))
                                .pixel(28, 1, qRgb(130, 129, 120))
                                .pixel(1, 18, qRgb(130, 129, 120))
                                .pixel(28, 18, qRgb(130, 129, 120))
                                .image();
    QCOMPARE(firstDifference(button.image(), expected, shown(3)), QString());
  }

  // Checked without the mouse held: near-white, corners Shift(RGB(160, 179, 193), -0.2); hot adds
  // four lines along the right and the bottom.
  void roundedBeigeChecked() {
    StyledButton button(3, back, button_size);
    button.check();
    Picture checked(button_size, qRgb(254, 254, 254));
    checked.outline(0, 0, 29, 19, qRgb(122, 152, 175));
    for (QPoint corner : {QPoint(1, 1), QPoint(28, 1), QPoint(1, 18), QPoint(28, 18)})
      checked.pixel(corner.x(), corner.y(), qRgb(109, 128, 142));
    QCOMPARE(firstDifference(button.image(), checked.image(), shown(3)), QString());

    button.hover();
    checked.column(28, 2, 17, qRgb(242, 240, 237))
        .row(18, 2, 27, qRgb(228, 222, 216))
        .row(17, 1, 28, qRgb(239, 236, 232))
        .row(16, 1, 28, qRgb(250, 249, 248));
    QCOMPARE(firstDifference(button.image(), checked.image(), shown(3)), QString());

    QTest::mousePress(&*button, Qt::LeftButton, {}, QPoint(15, 10));
    QCOMPARE(at(button.image(), 15, 5), qRgb(229, 228, 221));
  }

  // Two 10-row ramps: RGB(254, 254, 253) -> (244, 244, 238) and on to (241, 241, 234), n = 9.
  void roundedBeigeHot() {
    StyledButton button(3, back, button_size);
    button.hover();
    const QImage image = button.image();
    QCOMPARE(at(image, 15, 1), qRgb(253, 253, 252));  // 254 - 10 / 9, 253 - 15 / 9
    QCOMPARE(at(image, 15, 9), qRgb(244, 244, 238));
    QCOMPARE(at(image, 15, 10), qRgb(244, 244, 238));
    QCOMPARE(at(image, 15, 15), qRgb(243, 243, 236));  // 244 - 15 / 9, 238 - 20 / 9
    QCOMPARE(at(image, 28, 5), qRgb(234, 231, 224));
    QCOMPARE(at(image, 27, 5), qRgb(240, 240, 234));
    QCOMPARE(at(image, 15, 16), qRgb(238, 237, 229));
    QCOMPARE(at(image, 15, 17), qRgb(228, 225, 214));
    QCOMPARE(at(image, 15, 18), qRgb(215, 210, 198));
    QCOMPARE(at(image, 15, 0), qRgb(206, 206, 195));
    expectCorners(image, qRgb(199, 199, 188));
  }

  // The style draws its caption in button text, white when pressed, whatever ForeColor says.
  void roundedBeigeCaptionColour() {
    StyledButton button(3, back, QSize(120, 40));
    button->setCaption("MMMM");
    button->setForeColor(rgb(255, 0, 0));
    QImage image = button.image();
    QVERIFY(contains(image, button_text));
    QVERIFY(!contains(image, qRgb(255, 0, 0)));
    button.press();
    image = button.image();
    QVERIFY(contains(image, white));
    QCOMPARE(button->ForeColor(), rgb(255, 0, 0));
  }

  // The body (outline Shift(B, 0.3)) over a three-step shadow offset by 4, on the host
  // window's background.
  void dropShadowNormalAndHot() {
    StyledButton button(5, rgb(0, 109, 170), button_size);
    const QImage expected = Picture(button_size, window)
                                .outline(4, 4, 28, 18, qRgb(192, 192, 192))
                                .outline(5, 5, 27, 17, qRgb(160, 160, 160))
                                .outline(6, 6, 26, 16, qRgb(128, 128, 128))
                                .box(0, 0, 25, 15, qRgb(76, 185, 246))
                                .box(1, 1, 24, 14, qRgb(0, 109, 170))
                                .image();
    QCOMPARE(firstDifference(button.image(), expected), QString());
    button.hover();
    QCOMPARE(firstDifference(button.image(), expected), QString());
  }

  void dropShadowPressedSitsOnItsShadow() {
    const QImage expected = Picture(button_size, window)
                                .box(3, 3, 29, 19, qRgb(76, 185, 246))
                                .box(4, 4, 28, 18, qRgb(0, 109, 170))
                                .image();
    StyledButton button(5, rgb(0, 109, 170), button_size);
    button.press();
    QCOMPARE(firstDifference(button.image(), expected), QString());
    StyledButton checked(5, rgb(0, 109, 170), button_size);
    checked.check();
    QCOMPARE(firstDifference(checked.image(), expected), QString());
  }

  // Disabled, B is lightened by 0.1 first: RGB(26, 135, 196), outlined in RGB(102, 211, 255).
  void dropShadowDisabledIsLighter() {
    StyledButton button(5, rgb(0, 109, 170), button_size);
    button->setEnabled(false);
    const QImage image = button.image();
    QCOMPARE(at(image, 10, 8), qRgb(26, 135, 196));
    QCOMPARE(at(image, 0, 8), qRgb(102, 211, 255));
    QCOMPARE(at(image, 28, 10), qRgb(192, 192, 192));
  }

  void skyBlueNormalAndDisabledAreFlat() {
    StyledButton button(8, back, button_size);
    const QImage flat = Picture(button_size, back_rgb).image();
    QCOMPARE(firstDifference(button.image(), flat, shown(8)), QString());
    button.hover();
    button->setEnabled(false);
    QCOMPARE(firstDifference(button.image(), flat, shown(8)), QString());
  }

  // Hot: RGB(241, 249, 253) -> (208, 236, 248) over rows 1 to 18 (n = 17), flat from row
  // round(20 / 1.7) = 12. Pressed: RGB(176, 222, 241) -> (219, 241, 249). Outline RGB(97, 158,
  // 202), white inside it, corners Shift(outline, 0.3) = RGB(173, 234, 255).
  void skyBlueHotAndPressed() {
    StyledButton button(8, back, button_size);
    button.hover();
    QImage image = button.image();
    QCOMPARE(at(image, 15, 0), qRgb(97, 158, 202));
    QCOMPARE(at(image, 15, 1), white);
    QCOMPARE(at(image, 1, 10), white);
    QCOMPARE(at(image, 15, 2), qRgb(240, 249, 253));   // 241 - 33 / 17
    QCOMPARE(at(image, 15, 11), qRgb(222, 242, 251));  // 241 - 330 / 17, 249 - 130 / 17, ...
    QCOMPARE(at(image, 15, 12), qRgb(208, 236, 248));
    QCOMPARE(at(image, 15, 17), qRgb(208, 236, 248));
    expectCorners(image, qRgb(173, 234, 255));

    button.press();
    image = button.image();
    QCOMPARE(at(image, 15, 2), qRgb(178, 223, 241));   // 176 + 43 / 17, 222 + 19 / 17
    QCOMPARE(at(image, 15, 17), qRgb(216, 239, 248));  // 176 + 688 / 17, 222 + 304 / 17, ...
    QCOMPARE(at(image, 15, 18), white);
    expectCorners(image, qRgb(173, 234, 255));
  }

  // Beyond the sixteen styles nothing but the caption is drawn on the button face.
  void valueAboveFifteenDrawsNoBackground() {
    StyledButton button(16, back, button_size);
    QCOMPARE(firstDifference(button.image(), Picture(button_size, face).image()), QString());
    button.press();
    QCOMPARE(firstDifference(button.image(), Picture(button_size, face).image()), QString());
  }
};

FLEXBUTTON_TEST_CLASS(FramedStylesTest)
#include "framed_styles_test.moc"
