#include <QApplication>
#include <QEnterEvent>
#include <QTest>

#include "flexbutton.h"
#include "pixels.h"
#include "test_classes.h"

using ordelix::FlexButton;
using ordelix::PropertyBag;

namespace {

// Hand-computed for BackColor 8388608 = RGB(0, 0, 128) at 120 x 40:
//   Shift(c, f) adds round(f * 255): 0.03 -> 8, 0.05 -> 13, 0.07 -> 18, 0.08 -> 20, 0.1 -> 26,
//   0.15 -> 38, 0.28 -> 71, 0.33 -> 84, 0.36 -> 92, 0.5 -> 128; Average rounds halves to even.
//   Top band: n = 4; body: Gradient(0, 6, W, H - 1), n = 38, rows 6..38 show entries 0..32.
struct StateColours {
  QRgb frame;
  QRgb fill;     // row 5
  QRgb top[4];   // rows 1 to 4
  QRgb body[4];  // rows 6, 7, 20 and 38: entries 0, 1, 14 and 32
};

// State 0: top Shift(Average(B, white) = (128, 128, 192), 0.1) = (154, 154, 218) -> B;
// body Shift(B, -0.05) = (0, 0, 115) -> Average(white, (26, 26, 154)) = (140, 140, 204).
const StateColours normal{
    qRgb(0, 0, 44),
    qRgb(0, 0, 128),
    {qRgb(116, 116, 196), qRgb(77, 77, 173), qRgb(39, 39, 151), qRgb(0, 0, 128)},
    {qRgb(0, 0, 115), qRgb(3, 3, 117), qRgb(51, 51, 147), qRgb(117, 117, 189)}};

// State 1: fill Shift(B, 0.05) = (13, 13, 141); top Shift(Average((13, 13, 141), white) =
// (134, 134, 198), 0.15) = (172, 172, 236) -> (13, 13, 141); body B -> Average(white,
// (38, 38, 166)) = (146, 146, 210).
const StateColours hot{
    qRgb(0, 0, 57),
    qRgb(13, 13, 141),
    {qRgb(133, 133, 213), qRgb(93, 93, 189), qRgb(53, 53, 165), qRgb(13, 13, 141)},
    {qRgb(0, 0, 128), qRgb(3, 3, 130), qRgb(53, 53, 158), qRgb(122, 122, 197)}};

// State 2: fill Shift(B, -0.03) = (0, 0, 120); top as state 0; body Shift(B, -0.08) =
// (0, 0, 108) -> Average(white, (18, 18, 146)) = (136, 136, 200).
const StateColours pressed{
    qRgb(0, 0, 36),
    qRgb(0, 0, 120),
    {qRgb(116, 116, 196), qRgb(77, 77, 173), qRgb(39, 39, 151), qRgb(0, 0, 128)},
    {qRgb(0, 0, 108), qRgb(3, 3, 110), qRgb(50, 50, 141), qRgb(114, 114, 185)}};

void expectLook(FlexButton& button, const StateColours& expected) {
  const QImage image = button.grab().toImage();
  QCOMPARE(image.size(), QSize(120, 40));
  for (QPoint edge : {QPoint(60, 0), QPoint(60, 39), QPoint(0, 20), QPoint(119, 20)})
    QCOMPARE(pixels::at(image, edge.x(), edge.y()), expected.frame);
  for (QPoint corner : {QPoint(1, 1), QPoint(118, 1), QPoint(1, 38), QPoint(118, 38)})
    QCOMPARE(pixels::at(image, corner.x(), corner.y()), qRgb(0, 0, 0));
  for (int row = 1; row <= 4; ++row) QCOMPARE(pixels::at(image, 60, row), expected.top[row - 1]);
  QCOMPARE(pixels::at(image, 60, 5), expected.fill);
  const int body_rows[] = {6, 7, 20, 38};
  for (int i = 0; i < 4; ++i) QCOMPARE(pixels::at(image, 60, body_rows[i]), expected.body[i]);
}

}  // namespace

class ShadedGradientTest : public QObject {
  Q_OBJECT

 private:
  FlexButton* button_ = nullptr;

 private slots:
  void init() {
    button_ = new FlexButton;
    button_->readProperties(
        PropertyBag(u"ButtonStyle = 10\nBackColor = 8388608\nCaption = \"\"\n"));
    button_->resize(120, 40);
  }
  void cleanup() { delete button_; }

  void normalLook() { expectLook(*button_, normal); }

  void hotLookWhenThePointerEnters() {
    QEnterEvent enter(QPointF(60, 20), QPointF(60, 20), QPointF(60, 20));
    QApplication::sendEvent(button_, &enter);
    expectLook(*button_, hot);
  }

  void pressedLookWhileTheLeftButtonIsHeld() {
    QEnterEvent enter(QPointF(60, 20), QPointF(60, 20), QPointF(60, 20));
    QApplication::sendEvent(button_, &enter);
    QTest::mousePress(button_, Qt::LeftButton, {}, QPoint(60, 20));
    expectLook(*button_, pressed);
  }

  void checkedButtonDrawsPressedUntilCheckBoxModeIsOff() {
    button_->setCheckBoxMode(true);
    button_->setValue(true);
    expectLook(*button_, pressed);
    button_->setCheckBoxMode(false);
    QVERIFY(button_->Value());
    expectLook(*button_, normal);
  }
};

FLEXBUTTON_TEST_CLASS(ShadedGradientTest)
#include "shaded_gradient_test.moc"
