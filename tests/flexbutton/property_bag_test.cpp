#include <QFont>
#include <QTemporaryDir>
#include <QTest>

#include "button_picture.h"
#include "stored_font.h"

#include "property_bag.h"
#include "test_classes.h"

using ordelix::PropertyBag;

class PropertyBagTest : public QObject {
  Q_OBJECT

 private slots:
  void missingOrUnconvertibleEntriesGiveTheFallback() {
    const PropertyBag bag(u"ButtonStyle = abc\nMousePointer = 70000\nbroken line\n = 4\n");
    QCOMPARE(bag.read(u"Caption", QString("flexbutton")).toString(), QString("flexbutton"));
    QCOMPARE(bag.read(u"ButtonStyle", 1).toInt(), 1);
    QCOMPARE(bag.read(u"MousePointer", QVariant::fromValue<short>(0)).value<short>(), short(0));
  }

  void wronglyTypedEntriesAreConverted() {
    const PropertyBag bag(u"ButtonStyle = \"7\"\nValue = -1\nPictureSize = 2.5\nEnabled = 0\n");
    QCOMPARE(bag.read(u"ButtonStyle", 1).toInt(), 7);
    QCOMPARE(bag.read(u"Value", false).toBool(), true);
    QCOMPARE(bag.read(u"PictureSize", 0).toInt(), 2);
    QCOMPARE(bag.read(u"Enabled", true).toBool(), false);
  }

  void keysMatchWithoutCaseAndKeepTheirSpelling() {
    PropertyBag bag;
    bag.write("pictureSize", 3, 0);
    bag.write("UseMaskCOlor", true, false);
    const PropertyBag reread(bag.text());
    QCOMPARE(reread.read(u"PictureSize", 0).toInt(), 3);
    QCOMPARE(reread.read(u"UseMaskColor", false).toBool(), true);
    QCOMPARE(reread.text(), QString("pictureSize = 3\nUseMaskCOlor = True\n"));
  }

  void valuesEqualToTheWrittenDefaultAreLeftOut() {
    PropertyBag bag;
    bag.write("ButtonStyle", 0, 1);
    bag.write("CaptionAlign", 1, 1);
    QCOMPARE(bag.text(), QString("ButtonStyle = 0\n"));
    bag.write("buttonstyle", 1, 1);
    QCOMPARE(bag.text(), QString());
  }

  void stringsAndFontsRoundTrip() {
    const QString caption = "Say \"Go\"\\\nnow  ";
    QFont font("MS Sans Serif", 12);
    font.setBold(true);
    PropertyBag bag;
    bag.write("Caption", caption, QString());
    const QVariant tahoma = QVariant::fromValue(ordelix::StoredFont{QFont("Tahoma", 8), {}});
    bag.write("Font", QVariant::fromValue(ordelix::StoredFont{font, {}}), tahoma);
    const PropertyBag reread(bag.text());
    QCOMPARE(reread.read(u"Caption", QString()).toString(), caption);
    const QFont back = reread.read(u"Font", tahoma).value<ordelix::StoredFont>().font;
    QCOMPARE(back.family(), QString("MS Sans Serif"));
    QCOMPARE(back.pointSizeF(), 12.0);
    QVERIFY(back.bold());
    QVERIFY(!back.italic());
  }

  // Damaged image data loads the file the picture came from; without that file the picture
  // stays set, so that the next save keeps its entry.
  void damagedPictureDataFallsBackToItsFile() {
    QTemporaryDir dir;
    const QString path = dir.filePath("arrow.png");
    QImage image(2, 2, QImage::Format_RGB32);
    image.fill(qRgb(10, 20, 30));
    QVERIFY(image.save(path));
    const QVariant none = QVariant::fromValue(ordelix::ButtonPicture());
    const PropertyBag bag(QString("Picture = Bitmap, \"%1\", iVBOR!!not base64\n"
                                  "PictureHover = Icon, \"%2\", AAAA\n")
                              .arg(path, dir.filePath("gone.ico")));
    const auto picture = bag.read(u"Picture", none).value<ordelix::ButtonPicture>();
    QCOMPARE(picture.image.pixel(1, 1), qRgb(10, 20, 30));
    QCOMPARE(picture.kind, ordelix::ButtonPicture::Kind::Bitmap);
    const auto hover = bag.read(u"PictureHover", none).value<ordelix::ButtonPicture>();
    QVERIFY(hover.image.isNull());
    QVERIFY(!hover.isNone());
    QCOMPARE(hover.kind, ordelix::ButtonPicture::Kind::Icon);
  }
};

FLEXBUTTON_TEST_CLASS(PropertyBagTest)
#include "property_bag_test.moc"
