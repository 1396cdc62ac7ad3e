#include <QFontInfo>
#include <QSignalSpy>
#include <QTest>

#include "access_key.h"
#include "flexbutton.h"
#include "test_classes.h"

using namespace ordelix;

namespace {

// Colours as stored: low byte red.
constexpr OleColor face = 0x030201;  // RGB(1, 2, 3)
constexpr OleColor text = 0x060504;  // RGB(4, 5, 6)

void useKnownSystemColours(FlexButton& button) {
  QPalette palette = button.palette();
  palette.setColor(QPalette::Button, QColor(1, 2, 3));
  palette.setColor(QPalette::ButtonText, QColor(4, 5, 6));
  button.setPalette(palette);
}

QStringList lines(const PropertyBag& bag) {
  return bag.text().split('\n', Qt::SkipEmptyParts);
}

}  // namespace

class ControlTest : public QObject {
  Q_OBJECT

 private slots:
  void readDefaults() {
    FlexButton button;
    useKnownSystemColours(button);
    button.readProperties(PropertyBag());
    QCOMPARE(button.ButtonStyle(), 1);
    QCOMPARE(button.Caption(), QString("flexbutton"));
    QCOMPARE(button.CaptionAlign(), 1);
    QCOMPARE(button.PictureAlign(), 1);
    QCOMPARE(button.PictureSize(), 0);
    QCOMPARE(button.MaskColor(), OleColor{14737632});
    QCOMPARE(button.BackColor(), face);
    QCOMPARE(button.ForeColor(), text);
    QVERIFY(!button.ShowFocusRect());
    QVERIFY(button.Enabled());
    QVERIFY(!button.CheckBoxMode() && !button.Value() && !button.UseMaskColor());
  }

  void newInstanceSurvivesSaveAndLoad() {
    FlexButton placed;
    useKnownSystemColours(placed);
    placed.initNewInstance("flexbutton1");
    QCOMPARE(placed.ButtonStyle(), 0);
    QCOMPARE(placed.BackColor(), face);
    QCOMPARE(placed.Font().family(), QString("Tahoma"));
    PropertyBag bag;
    placed.writeProperties(bag);
    FlexButton loaded;
    useKnownSystemColours(loaded);
    loaded.readProperties(PropertyBag(bag.text()));
    QCOMPARE(loaded.ButtonStyle(), 0);
    QVERIFY(loaded.ShowFocusRect());
    QCOMPARE(loaded.Caption(), QString("flexbutton1"));
    QCOMPARE(loaded.Font().family(), QString("Tahoma"));
  }

  void storedKeysAndWriteOrder() {
    FlexButton button;
    button.setButtonStyle(10);
    button.setPictureSize(2);
    button.setUseMaskColor(true);
    button.setCaption("Exit");
    PropertyBag bag;
    button.writeProperties(bag);
    const QStringList written = lines(bag);
    QCOMPARE(written.first(), QString("ButtonStyle = 10"));
    QVERIFY(written.contains("pictureSize = 2"));
    QVERIFY(written.contains("UseMaskCOlor = True"));
    QVERIFY(written.indexOf("Caption = \"Exit\"") < written.indexOf("pictureSize = 2"));
    QVERIFY(!bag.text().contains("PictureAlign"));
  }

  void accessKeys() {
    QCOMPARE(access_key(u"&Browse"), std::optional<QChar>(u'b'));
    QCOMPARE(access_key(u"A&&B"), std::nullopt);
    QCOMPARE(access_key(u"A&&B&c"), std::optional<QChar>(u'c'));
    QCOMPARE(access_key(u"&"), std::nullopt);
    QCOMPARE(access_key(u"Save&"), std::nullopt);
  }

  void altAndTheAccessKeyClicks() {
    FlexButton button;
    button.setCaption("&Browse");
    button.show();
    QVERIFY(QTest::qWaitForWindowActive(&button));
    QSignalSpy clicks(&button, &FlexButton::Click);
    QTest::keyClick(&button, Qt::Key_B, Qt::AltModifier);
    QCOMPARE(clicks.count(), 1);
    button.setCaption("A&&B");
    QTest::keyClick(&button, Qt::Key_B, Qt::AltModifier);
    QCOMPARE(clicks.count(), 1);
  }

  void checkBoxMode() {
    FlexButton button;
    button.resize(120, 40);
    button.setValue(true);
    QVERIFY(!button.Value());
    QSignalSpy marks(&button, &FlexButton::PropertyChanged);
    button.setCheckBoxMode(true);
    QCOMPARE(marks.count(), 2);
    QCOMPARE(marks.at(0).at(0).toString(), QString("Value"));
    QCOMPARE(marks.at(1).at(0).toString(), QString("CheckBoxMode"));
    QTest::mouseClick(&button, Qt::LeftButton, {}, QPoint(60, 20));
    QVERIFY(button.Value());
    QTest::mouseClick(&button, Qt::LeftButton, {}, QPoint(60, 20));
    QVERIFY(!button.Value());
  }

  void hoverPictureWithoutPictureSetsBoth() {
    FlexButton button;
    QImage image(8, 8, QImage::Format_RGB32);
    image.fill(Qt::red);
    QSignalSpy marks(&button, &FlexButton::PropertyChanged);
    button.setPictureHover({image, ButtonPicture::Kind::Bitmap, {}});
    QCOMPARE(button.Picture().image, image);
    QCOMPARE(button.PictureHover().image, image);
    QCOMPARE(marks.count(), 2);
    QCOMPARE(marks.at(0).at(0).toString(), QString("Picture"));
  }

  void choosingAStyleResetsItsDefaults() {
    FlexButton button;
    useKnownSystemColours(button);
    button.setButtonStyle(5);
    QCOMPARE(button.BackColor(), OleColor{11169024});
    QCOMPARE(button.ForeColor(), OleColor{16777215});
    QVERIFY(button.ShowFocusRect());
    button.setButtonStyle(10);
    QCOMPARE(button.BackColor(), OleColor{16765357});
    QCOMPARE(button.ForeColor(), text);
    QVERIFY(!button.ShowFocusRect());
    button.setButtonStyle(4);  // RGB(212, 212, 212) lightened by round(0.06 * 255) = 15
    QCOMPARE(button.BackColor(), OleColor{0xE3E3E3});
    button.setButtonStyle(0);
    QCOMPARE(button.BackColor(), face);
  }

  void clicks() {
    FlexButton button;
    button.resize(120, 40);
    QSignalSpy clicks(&button, &FlexButton::Click);
    QSignalSpy ups(&button, &FlexButton::MouseUp);
    QTest::mouseClick(&button, Qt::LeftButton, {}, QPoint(60, 20));
    QCOMPARE(clicks.count(), 1);
    QTest::keyClick(&button, Qt::Key_Return);
    QCOMPARE(clicks.count(), 2);
    QTest::mousePress(&button, Qt::LeftButton, {}, QPoint(60, 20));
    QTest::mouseRelease(&button, Qt::LeftButton, {}, QPoint(200, 20));
    QTest::mousePress(&button, Qt::LeftButton, {}, QPoint(60, 20));
    QTest::mouseRelease(&button, Qt::LeftButton, {}, QPoint(0, 20));
    QCOMPARE(clicks.count(), 2);
    QCOMPARE(ups.count(), 3);
  }

  void missingWindowsFontsFallBackToAMetricCompatibleFace() {
    FlexButton button;
    const QString family = QFontInfo(QFont("MS Sans Serif", 12)).family();
    QVERIFY2(
        QStringList({"MS Sans Serif", "Microsoft Sans Serif", "Liberation Sans", "Arimo", "Arial"})
            .contains(family),
        qPrintable(family));
  }
};

FLEXBUTTON_TEST_CLASS(ControlTest)
#include "control_test.moc"
