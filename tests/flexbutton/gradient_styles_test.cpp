#include "style_picture.h"
#include "test_classes.h"

using namespace style_test;
using ordelix::rgb;

namespace {

// Shifts add round(f * 255): 0.03 -> 8, 0.05 -> 13, 0.07 -> 18, 0.08 -> 20, 0.09 -> 23,
// 0.13 -> 33, 0.01 -> 3, 0.26 -> 66. Gradient entry i is c1 + i * (c2 - c1) / n, truncated.

QRgb grey(int level) {
  return qRgb(level, level, level);
}

QRgb offset(QRgb c, int by) {
  return qRgb(qRed(c) + by, qGreen(c) + by, qBlue(c) + by);
}

const QRgb navy = qRgb(0, 0, 128);

// OrangeGlow at 30 x 20: the upper band is round(20 / 2.7) = 7 rows (n = 6), the lower one
// round(20 - 7.41) = 13 rows (n = 12).
struct Bands {
  QRgb upper_first, upper_last, lower_first, lower_last;
};

void expectBands(const QImage& image, const Bands& bands) {
  QCOMPARE(at(image, 15, 0), bands.upper_first);
  QCOMPARE(at(image, 0, 6), bands.upper_last);
  QCOMPARE(at(image, 29, 7), bands.lower_first);
  QCOMPARE(at(image, 15, 19), bands.lower_last);
}

const Bands hot_bands{qRgb(255, 255, 225), qRgb(255, 234, 172), qRgb(255, 215, 103),
                      qRgb(255, 228, 153)};
const Bands pressed_bands{qRgb(255, 193, 88), qRgb(255, 175, 81), qRgb(255, 143, 70),
                          qRgb(255, 211, 95)};
const Bands checked_bands{qRgb(255, 217, 169), qRgb(255, 192, 111), qRgb(255, 171, 63),
                          qRgb(255, 225, 117)};

// WarmGradient's outlined looks at 30 x 20 run over all 20 rows (n = 19); rows 1 and 18 are
// entries 1 and 18.
void expectOutlined(const QImage& image, QRgb row1, QRgb row18) {
  for (QPoint edge : {QPoint(15, 0), QPoint(15, 19), QPoint(0, 10), QPoint(29, 10)})
    QCOMPARE(at(image, edge.x(), edge.y()), navy);
  QCOMPARE(at(image, 15, 1), row1);
  QCOMPARE(at(image, 15, 18), row18);
}

}  // namespace

class GradientStylesTest : public QObject {
  Q_OBJECT

 private slots:
  // B = grey 100: upper from Average(123, 255) = 189 to Average(118, 100) = 109, steps
  // -80 * i / 6; lower from 100 to 108, steps 8 * i / 12.
  void orangeGlowNormal() {
    StyledButton button(7, rgb(100, 100, 100), button_size);
    const int rows[] = {189, 176, 163, 149, 136, 123, 109, 100, 100, 101,
                        102, 102, 103, 104, 104, 105, 106, 106, 107, 108};
    Picture expected(button_size, 0);
    for (int y = 0; y < 20; ++y) expected.row(y, 0, 29, grey(rows[y]));
    QCOMPARE(firstDifference(button.image(), expected.image()), QString());
    button->setEnabled(false);
    QCOMPARE(firstDifference(button.image(), expected.image()), QString());
  }

  void orangeGlowHotPressedAndChecked() {
    StyledButton button(7, rgb(100, 100, 100), button_size);
    button.hover();
    expectBands(button.image(), hot_bands);
    button.press();
    expectBands(button.image(), pressed_bands);

    StyledButton checked(7, rgb(100, 100, 100), button_size);
    checked.check();
    expectBands(checked.image(), checked_bands);
    checked.hover();
    expectBands(checked.image(), pressed_bands);
  }

  // B = RGB(169, 131, 93): Average(Shift(B, 0.26), white) = RGB(245, 226, 207), which lies
  // (76, 95, 114) = 19 * (4, 5, 6) above B, so row y is RGB(245 - 4y, 226 - 5y, 207 - 6y).
  void hoverFrameNormal() {
    StyledButton button(9, rgb(169, 131, 93), button_size);
    Picture expected(button_size, 0);
    for (int y = 0; y < 20; ++y)
      expected.row(y, 0, 29, qRgb(245 - 4 * y, 226 - 5 * y, 207 - 6 * y));
    QCOMPARE(firstDifference(button.image(), expected.image()), QString());
    button->setEnabled(false);
    QCOMPARE(firstDifference(button.image(), expected.image()), QString());
  }

  void hoverFrameHotPressedAndChecked() {
    auto framed = [&](QRgb inside, QRgb outline) {
      return Picture(button_size, inside).outline(0, 0, 29, 19, outline).image();
    };
    const QRgb hot_outline = qRgb(49, 106, 197);
    const QRgb pressed_fill = qRgb(152, 181, 226);
    StyledButton button(9, rgb(169, 131, 93), button_size);
    button.hover();
    QCOMPARE(firstDifference(button.image(), framed(qRgb(193, 210, 238), hot_outline)), QString());
    button.press();
    QCOMPARE(firstDifference(button.image(), framed(pressed_fill, qRgb(75, 75, 111))), QString());

    // Checked keeps its own look, outlined in Shift(RGB(75, 75, 111), 0.05).
    StyledButton checked(9, rgb(169, 131, 93), button_size);
    checked.check();
    QCOMPARE(firstDifference(checked.image(), framed(qRgb(225, 230, 232), qRgb(88, 88, 124))),
             QString());
    checked.hover();
    QCOMPARE(firstDifference(checked.image(), framed(pressed_fill, hot_outline)), QString());
  }

  // B = RGB(100, 110, 120), 30 x 20. Upper 10 rows from B + 13 to B (n = 9): -13 * i / 9 gives
  // 0, -1, -2, -4, -5, -7, -8, -10, -11, -13. Lower block of round(11) rows from row 10, from
  // B - 3 to B - 33 (n = 10): B - 3 - 3i; its last entry falls below the control.
  void warmGradientNormal() {
    StyledButton button(13, back, button_size);
    const int upper[] = {13, 12, 11, 9, 8, 6, 5, 3, 2, 0};
    Picture expected(button_size, 0);
    for (int y = 0; y < 10; ++y) expected.row(y, 0, 29, offset(back_rgb, upper[y]));
    for (int y = 10; y < 20; ++y) expected.row(y, 0, 29, offset(back_rgb, -3 * (y - 9)));
    QCOMPARE(firstDifference(button.image(), expected.image()), QString());
  }

  void warmGradientHotPressedAndChecked() {
    // Hot: RGB(255, 244, 204) -> (255, 208, 145); 244 - 36 / 19 = 243, 204 - 59 / 19 = 201;
    // 244 - 648 / 19 = 210, 204 - 1062 / 19 = 149.
    StyledButton button(13, back, button_size);
    button.hover();
    expectOutlined(button.image(), qRgb(255, 243, 201), qRgb(255, 210, 149));
    // Pressed: RGB(254, 145, 78) -> (255, 211, 142); 145 + 66 / 19 = 148, 78 + 64 / 19 = 81;
    // 145 + 1188 / 19 = 207, 78 + 1152 / 19 = 138.
    const QRgb pressed1 = qRgb(254, 148, 81);
    const QRgb pressed18 = qRgb(254, 207, 138);
    button.press();
    expectOutlined(button.image(), pressed1, pressed18);

    // Checked: RGB(255, 213, 140) -> (255, 173, 85); 213 - 40 / 19 = 211, 140 - 55 / 19 = 138;
    // 213 - 720 / 19 = 176, 140 - 990 / 19 = 88. Under the mouse it takes the pressed ramp.
    StyledButton checked(13, back, button_size);
    checked.check();
    expectOutlined(checked.image(), qRgb(255, 211, 138), qRgb(255, 176, 88));
    checked.hover();
    expectOutlined(checked.image(), pressed1, pressed18);
  }

  // 21 x 20, so the left-to-right ramp has n = 20. Normal and hot: B to B + 20, column x is
  // B + x. Pressed and checked: B - 13 to B + 8, 21 * x / 20 = x for x < 20.
  void greyGradientEveryLook() {
    const QSize narrow(21, 20);
    const QRgb outline = qRgb(126, 128, 125);
    auto ramp = [&](int start) {
      Picture p(narrow, 0);
      for (int x = 1; x < 20; ++x) p.column(x, 1, 18, offset(back_rgb, start + x));
      return p.outline(0, 0, 20, 19, outline).image();
    };
    StyledButton button(15, back, narrow);
    QCOMPARE(firstDifference(button.image(), ramp(0)), QString());
    button.hover();
    QCOMPARE(firstDifference(button.image(), ramp(0)), QString());
    button.press();
    QCOMPARE(firstDifference(button.image(), ramp(-13)), QString());

    StyledButton checked(15, back, narrow);
    checked.check();
    QCOMPARE(firstDifference(checked.image(), ramp(-13)), QString());
  }
};

FLEXBUTTON_TEST_CLASS(GradientStylesTest)
#include "gradient_styles_test.moc"
