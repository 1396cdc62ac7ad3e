#include "style_picture.h"
#include "test_classes.h"
#include "window_region.h"

using namespace style_test;
using ordelix::rgb;
using ordelix::window_region;

namespace {

struct Looks {
  QImage normal, hot, pressed;
};

Looks looksOf(int style, OleColor back, QSize at_size = button_size) {
  StyledButton button(style, back, at_size);
  Looks looks;
  looks.normal = button.image();
  button.hover();
  looks.hot = button.image();
  button.press();
  looks.pressed = button.image();
  return looks;
}

void expectDistinct(const Looks& looks) {
  QVERIFY(looks.normal != looks.hot);
  QVERIFY(looks.hot != looks.pressed);
  QVERIFY(looks.normal != looks.pressed);
}

// The pixels a corner ellipse of w x h cuts from the top-left corner, mirrored to the others.
void expectCornersCut(const QRegion& region, QSize area, const QList<QPoint>& cut,
                      const QList<QPoint>& kept) {
  const int r = area.width() - 1;
  const int b = area.height() - 1;
  for (QPoint p : cut)
    for (QPoint q :
         {p, QPoint(r - p.x(), p.y()), QPoint(p.x(), b - p.y()), QPoint(r - p.x(), b - p.y())})
      QVERIFY2(!region.contains(q), qPrintable(QString("(%1, %2)").arg(q.x()).arg(q.y())));
  for (QPoint p : kept)
    for (QPoint q :
         {p, QPoint(r - p.x(), p.y()), QPoint(p.x(), b - p.y()), QPoint(r - p.x(), b - p.y())})
      QVERIFY2(region.contains(q), qPrintable(QString("(%1, %2)").arg(q.x()).arg(q.y())));
}

}  // namespace

class OpenStylesTest : public QObject {
  Q_OBJECT

 private slots:
  // A 3 x 3 or 4 x 4 corner ellipse centred 1.5 or 2 pixels in keeps (1, 1) and cuts the three
  // pixels outside it; square styles keep the whole rectangle.
  void regionsOfEveryStyle() {
    for (int style : {2, 3, 4, 6, 8, 10})
      expectCornersCut(window_region(style, button_size), button_size, {{0, 0}, {1, 0}, {0, 1}},
                       {{1, 1}, {2, 0}, {0, 2}});
    for (int style : {0, 1, 5, 7, 9, 11, 12, 13, 15, 16})
      QCOMPARE(window_region(style, button_size), QRegion(0, 0, 30, 20));
  }

  // 18 x 18 corners: pixel (x, y) stays while (x - 9)^2 + (y - 9)^2 <= 81, so rows 0 to 8 lose
  // 9, 5, 4, 3, 2, 1, 1, 1, 1 pixels at each end.
  void pixelSkinRegionIsRoundedBy18() {
    const QSize area(40, 30);
    const QRegion region = window_region(14, area);
    const int inset[] = {9, 5, 4, 3, 2, 1, 1, 1, 1, 0};
    for (int row = 0; row < 10; ++row) {
      for (int y : {row, 29 - row}) {
        QCOMPARE(region.intersected(QRect(0, y, 40, 1)),
                 QRegion(inset[row], y, 40 - 2 * inset[row], 1));
      }
    }
  }

  void regionFollowsStyleAndSize() {
    StyledButton button(0, rgb(1, 2, 3), button_size);
    button.show();
    QCOMPARE(button->mask(), QRegion(0, 0, 30, 20));
    button->setButtonStyle(14);
    QCOMPARE(button->mask(), window_region(14, button_size));
    button->resize(50, 40);
    QCOMPARE(button->mask(), window_region(14, QSize(50, 40)));
  }

  // Outline RGB(0, 60, 116); the hot rim is orange, the focused one blue.
  void roundedBlueLooks() {
    const Looks looks = looksOf(2, rgb(236, 235, 231));
    expectDistinct(looks);
    for (const QImage* image : {&looks.normal, &looks.hot, &looks.pressed})
      QCOMPARE(at(*image, 15, 0), qRgb(0, 60, 116));
    QCOMPARE(at(looks.hot, 15, 1), qRgb(253, 216, 137));
    QCOMPARE(at(looks.hot, 15, 18), qRgb(248, 179, 48));

    StyledButton focused(2, rgb(236, 235, 231), button_size);
    QVERIFY(focused.focus());
    QCOMPARE(at(focused.image(), 15, 1), qRgb(206, 231, 255));
    QCOMPARE(at(focused.image(), 15, 18), qRgb(137, 173, 228));
  }

  // Grey outline at rest, the darkest blue pressed, the palest blue along the hot top edge.
  void glassBlueLooks() {
    const Looks looks = looksOf(4, rgb(227, 227, 227));
    expectDistinct(looks);
    QCOMPARE(at(looks.normal, 15, 0), qRgb(112, 112, 112));
    QCOMPARE(at(looks.hot, 15, 1), qRgb(228, 247, 255));
    QCOMPARE(at(looks.pressed, 15, 0), qRgb(29, 65, 92));
  }

  // Every pixel is BackColor shifted by one amount in all channels, between -0.25 and 0.4
  // (-64 and +102); the bottom line is Shift(B, -0.25).
  void softGradientUsesOnlyShiftsOfBackColor() {
    const Looks looks = looksOf(6, rgb(100, 120, 140));
    expectDistinct(looks);
    const QRegion region = window_region(6, button_size);
    for (const QImage* image : {&looks.normal, &looks.hot, &looks.pressed}) {
      for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 30; ++x) {
          if (!region.contains(QPoint(x, y))) continue;
          const QRgb c = at(*image, x, y);
          const int by = qRed(c) - 100;
          QVERIFY(by >= -64 && by <= 102);
          QCOMPARE(qRgb(qRed(c), qGreen(c), qBlue(c)), qRgb(100 + by, 120 + by, 140 + by));
        }
      QCOMPARE(at(*image, 15, 19), qRgb(36, 56, 76));
    }
  }

  // Fixed rims whatever BackColor is; one colour inside, 15394792 = RGB(232, 231, 234) at rest;
  // each straight stretch of the rim one line of one colour.
  void pixelSkinLooks() {
    const QSize area(40, 30);
    const Looks looks = looksOf(14, rgb(208, 208, 208), area);
    expectDistinct(looks);
    QCOMPARE(firstDifference(looksOf(14, rgb(10, 200, 30), area).normal, looks.normal), QString());
    QCOMPARE(at(looks.normal, 20, 15), qRgb(232, 231, 234));
    for (const QImage* image : {&looks.normal, &looks.hot, &looks.pressed}) {
      const QRgb inside = at(*image, 10, 4);
      for (int y = 4; y <= 25; ++y)
        for (int x = 10; x <= 29; ++x) QCOMPARE(at(*image, x, y), inside);
      for (int ring = 0; ring < 4; ++ring) {
        for (int x = 10; x <= 29; ++x) {
          QCOMPARE(at(*image, x, ring), at(*image, 10, ring));
          QCOMPARE(at(*image, x, 29 - ring), at(*image, 10, 29 - ring));
        }
        for (int y = 10; y <= 19; ++y) {
          QCOMPARE(at(*image, ring, y), at(*image, ring, 10));
          QCOMPARE(at(*image, 39 - ring, y), at(*image, 39 - ring, 10));
        }
      }
    }
  }

  // Checked draws the pressed rim; focus in the active window at least the hot one.
  void pixelSkinCheckedAndFocused() {
    const QSize area(40, 30);
    const Looks looks = looksOf(14, rgb(208, 208, 208), area);
    StyledButton checked(14, rgb(208, 208, 208), area);
    checked.check();
    QCOMPARE(firstDifference(checked.image(), looks.pressed), QString());
    StyledButton focused(14, rgb(208, 208, 208), area);
    QVERIFY(focused.focus());
    QCOMPARE(firstDifference(focused.image(), looks.hot), QString());
  }
};

FLEXBUTTON_TEST_CLASS(OpenStylesTest)
#include "open_styles_test.moc"
