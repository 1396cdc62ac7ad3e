#include <QPalette>
#include <QTest>

#include "caption_layout.h"
#include "colour_math.h"
#include "drawing_primitives.h"
#include "ole_colour.h"
#include "pixels.h"
#include "test_classes.h"
#include "window_region.h"

using namespace ordelix;

namespace {

constexpr QRgb dark_grey = qRgb(9, 9, 9);

}  // namespace

class DrawingTest : public QObject {
  Q_OBJECT

 private slots:
  void shiftAddsAStepClippedToTheChannelRange() {
    // 0.05 * 255 = 12.75 -> 13
    QCOMPARE(shift(rgb(250, 100, 5), 0.05), rgb(255, 113, 18));
    QCOMPARE(shift(rgb(250, 100, 5), -0.05), rgb(237, 87, 0));
  }

  void averageRoundsHalvesToEven() { QCOMPARE(average(rgb(0, 1, 2), rgb(1, 2, 5)), rgb(0, 2, 4)); }

  void systemColoursAreTranslatedThroughThePalette() {
    QPalette palette;
    palette.setColor(QPalette::Button, QColor(1, 2, 3));
    QCOMPARE(translate_colour(system_button_face, palette), OleColor{0x030201});
    QCOMPARE(translate_colour(8388608, palette), OleColor{8388608});
    QCOMPARE(translate_colour(0x80000019, palette), no_colour);
    QCOMPARE(translate_colour(0x8000001F, palette), no_colour);
    QCOMPARE(translate_colour(0x01000000, palette), no_colour);
  }

  void gradientRampUsesTruncatingIntegerDivision() {
    QImage image = pixels::filled(5, 2, dark_grey);
    // n = 4: 10 + i * -10 / 4 gives 10, 8, 5, 3, 0; 0 + i * 30 / 4 gives 0, 7, 15, 22, 30.
    gradient(image, 0, 0, 5, 2, rgb(10, 0, 0), rgb(0, 0, 30), GradientDirection::LeftToRight);
    const int reds[] = {10, 8, 5, 3, 0};
    const int blues[] = {0, 7, 15, 22, 30};
    for (int x = 0; x < 5; ++x) {
      QCOMPARE(pixels::at(image, x, 1), qRgb(reds[x], 0, blues[x]));
    }
    QImage single = pixels::filled(1, 1, dark_grey);
    gradient(single, 0, 0, 1, 1, rgb(10, 20, 30), rgb(20, 40, 60), GradientDirection::LeftToRight);
    QCOMPARE(pixels::at(single, 0, 0), qRgb(15, 30, 45));
    gradient(single, 0, 0, 0, 1, rgb(1, 1, 1), rgb(1, 1, 1), GradientDirection::LeftToRight);
    QCOMPARE(pixels::at(single, 0, 0), qRgb(15, 30, 45));
  }

  void frameLineAndCornerPixels() {
    QImage image = pixels::filled(8, 6, dark_grey);
    frame(image, 1, 1, 4, 3, rgb(255, 0, 0));  // covers (1, 1) to (5, 4)
    QCOMPARE(pixels::at(image, 1, 1), qRgb(255, 0, 0));
    QCOMPARE(pixels::at(image, 4, 3), qRgb(255, 0, 0));
    QCOMPARE(pixels::at(image, 2, 2), dark_grey);
    QCOMPARE(pixels::at(image, 5, 1), dark_grey);
    line(image, 0, 5, 3, 5, rgb(0, 255, 0));  // end point excluded
    QCOMPARE(pixels::at(image, 2, 5), qRgb(0, 255, 0));
    QCOMPARE(pixels::at(image, 3, 5), dark_grey);
    corner_pixels(image, rgb(0, 0, 255));
    QCOMPARE(pixels::at(image, 6, 4), qRgb(0, 0, 255));
    QCOMPARE(pixels::at(image, 1, 4), qRgb(0, 0, 255));
  }

  void focusRectIsDottedAndUndoesItself() {
    QImage image = pixels::filled(10, 10, dark_grey);
    focus_rect(image, 2, 2, 8, 8);
    QCOMPARE(pixels::at(image, 2, 2), qRgb(246, 246, 246));
    QCOMPARE(pixels::at(image, 3, 2), dark_grey);
    QCOMPARE(pixels::at(image, 4, 4), dark_grey);
    focus_rect(image, 2, 2, 8, 8);
    QCOMPARE(image, pixels::filled(10, 10, dark_grey));
  }

  void shadedGradientRegionIsRounded() {
    const QRegion region = window_region(10, QSize(120, 40));
    for (QPoint cut : {QPoint(0, 0), QPoint(119, 0), QPoint(0, 39), QPoint(119, 39)})
      QVERIFY(!region.contains(cut));
    for (QPoint kept : {QPoint(1, 1), QPoint(118, 38), QPoint(60, 0), QPoint(0, 20)})
      QVERIFY(region.contains(kept));
    QCOMPARE(window_region(0, QSize(120, 40)), QRegion(0, 0, 120, 40));
  }

  void captionPlacement() {
    const QSize client(120, 40);
    const QSize text(40, 16);
    QCOMPARE(place_caption(client, text, {}, 0, 1, false).caption, QPoint(4, 12));
    QCOMPARE(place_caption(client, text, {}, 1, 1, false).caption, QPoint(40, 12));
    QCOMPARE(place_caption(client, text, {}, 2, 1, true).caption, QPoint(79, 12));
    const CaptionPlacement left = place_caption(client, text, QSize(16, 16), 1, 0, false);
    QCOMPARE(left.picture, QRect(4, 12, 16, 16));
    QCOMPARE(left.caption, QPoint(48, 12));
    const CaptionPlacement right = place_caption(client, text, QSize(16, 16), 2, 1, false);
    QCOMPARE(right.caption.x(), 76);
    QCOMPARE(right.picture.x(), 56);
  }
};

FLEXBUTTON_TEST_CLASS(DrawingTest)
#include "drawing_test.moc"
