#include <functional>

#include "style_picture.h"
#include "test_classes.h"

using namespace style_test;
using ordelix::rgb;

namespace {

// Checked fills with Shift(B, 0.02), which adds round(5.1) = 5.
const QRgb b_checked = qRgb(105, 115, 125);
const QRgb black = qRgb(0, 0, 0);

// An edge ring: its top row and left column in one colour, its bottom row and right column,
// which take the two far corners, in another.
void ring(Picture& p, int x0, int y0, int x1, int y1, QRgb upper_left, QRgb lower_right) {
  p.row(y0, x0, x1 - 1, upper_left).column(x0, y0, y1 - 1, upper_left);
  p.row(y1, x0, x1, lower_right).column(x1, y0, y1, lower_right);
}

QImage flat(QRgb fill) {
  return Picture(button_size, fill).image();
}

QImage raised() {
  Picture p(button_size, back_rgb);
  ring(p, 0, 0, 29, 19, light, dark);
  ring(p, 1, 1, 28, 18, highlight, shadow);
  return p.image();
}

QImage thinRaised() {
  Picture p(button_size, back_rgb);
  ring(p, 0, 0, 29, 19, highlight, shadow);
  return p.image();
}

QImage sunken(QRgb fill) {
  Picture p(button_size, fill);
  ring(p, 0, 0, 29, 19, shadow, highlight);
  ring(p, 1, 1, 28, 18, dark, light);
  return p.image();
}

// Standard pressed: black outline around a RGB(172, 168, 153) one.
QImage pressedStandard() {
  return Picture(button_size, back_rgb)
      .outline(0, 0, 29, 19, black)
      .outline(1, 1, 28, 18, qRgb(172, 168, 153))
      .image();
}

// Flat pressed: a white frame whose top and left the grey-text frame one pixel larger covers.
QImage pressedFlat() {
  return Picture(button_size, back_rgb)
      .outline(0, 0, 29, 19, white)
      .row(0, 0, 29, grey_text)
      .column(0, 0, 19, grey_text)
      .image();
}

enum class Look { Normal, Hot, Pressed, Checked, CheckedHot, Disabled };

void show(StyledButton& button, Look look) {
  switch (look) {
    case Look::Hot:
      button.hover();
      break;
    case Look::Pressed:
      button.press();
      break;
    case Look::Checked:
      button.check();
      break;
    case Look::CheckedHot:
      button.check();
      button.hover();
      break;
    case Look::Disabled:
      button->setEnabled(false);
      break;
    case Look::Normal:
      break;
  }
}

}  // namespace

Q_DECLARE_METATYPE(Look)
Q_DECLARE_METATYPE(std::function<QImage()>)

class EdgedStylesTest : public QObject {
  Q_OBJECT

 private slots:
  void everyPixelOfEachLook_data() {
    QTest::addColumn<int>("style");
    QTest::addColumn<Look>("look");
    QTest::addColumn<std::function<QImage()>>("expected");
    auto add = [](const char* name, int style, Look look, std::function<QImage()> expected) {
      QTest::newRow(name) << style << look << expected;
    };
    add("standard normal: raised", 0, Look::Normal, raised);
    add("standard hot: raised", 0, Look::Hot, raised);
    add("standard pressed: dark outlines", 0, Look::Pressed, pressedStandard);
    add("standard checked: sunken on a lighter fill", 0, Look::Checked,
        [] { return sunken(b_checked); });
    add("standard checked: never hot", 0, Look::CheckedHot, [] { return sunken(b_checked); });
    add("standard disabled: raised", 0, Look::Disabled, raised);
    add("flat normal: thin raised", 1, Look::Normal, thinRaised);
    add("flat hot: thin raised", 1, Look::Hot, thinRaised);
    add("flat pressed: white and grey frames", 1, Look::Pressed, pressedFlat);
    add("flat checked: sunken", 1, Look::Checked, [] { return sunken(b_checked); });
    add("hot-track 3D normal: no edge", 11, Look::Normal, [] { return flat(back_rgb); });
    add("hot-track 3D hot: raised", 11, Look::Hot, raised);
    add("hot-track 3D pressed: sunken on BackColor", 11, Look::Pressed,
        [] { return sunken(back_rgb); });
    add("hot-track 3D checked: sunken", 11, Look::Checked, [] { return sunken(b_checked); });
    add("flat hot-track normal: no edge", 12, Look::Normal, [] { return flat(back_rgb); });
    add("flat hot-track hot: thin raised", 12, Look::Hot, thinRaised);
    add("flat hot-track pressed: white and grey frames", 12, Look::Pressed, pressedFlat);
    add("flat hot-track checked: only the lighter fill", 12, Look::Checked,
        [] { return flat(b_checked); });
    add("flat hot-track disabled: no edge", 12, Look::Disabled, [] { return flat(back_rgb); });
  }

  void everyPixelOfEachLook() {
    QFETCH(int, style);
    QFETCH(Look, look);
    QFETCH(std::function<QImage()>, expected);
    StyledButton button(style, back, button_size);
    show(button, look);
    QCOMPARE(firstDifference(button.image(), expected()), QString());
  }

  // A focused Standard button sits in a black outline over an application-workspace one, its
  // raised edge one pixel smaller.
  void focusedStandardHasAHeavierFrame() {
    StyledButton button(0, back, button_size);
    QVERIFY(button.focus());
    const QImage expected = Picture(button_size, back_rgb)
                                .outline(0, 0, 29, 19, black)
                                .row(18, 1, 28, workspace)
                                .column(28, 1, 18, workspace)
                                .row(1, 1, 26, highlight)
                                .column(1, 1, 16, highlight)
                                .row(17, 1, 27, shadow)
                                .column(27, 1, 17, shadow)
                                .image();
    QCOMPARE(firstDifference(button.image(), expected), QString());
  }

  void focusedCheckedStandardFramesItsInsideWhenAskedTo() {
    StyledButton button(0, back, button_size);
    button->setShowFocusRect(true);
    button.check();
    QVERIFY(button.focus());
    Picture expected(button_size, b_checked);
    ring(expected, 0, 0, 29, 19, shadow, highlight);
    ring(expected, 1, 1, 28, 18, dark, light);
    expected.outline(4, 4, 26, 16, workspace);
    QCOMPARE(firstDifference(button.image(), expected.image()), QString());

    button->setShowFocusRect(false);
    button->update();
    QCOMPARE(firstDifference(button.image(), sunken(b_checked)), QString());
  }
};

FLEXBUTTON_TEST_CLASS(EdgedStylesTest)
#include "edged_styles_test.moc"
