#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include "flexbutton.h"
#include "test_classes.h"

using namespace ordelix;

// What a host saves of a control and reads back into a new one.
namespace {

FlexButton* reread(const FlexButton& written, QWidget* host = nullptr) {
  PropertyBag bag;
  written.writeProperties(bag);
  auto* read = new FlexButton(host);
  read->readProperties(PropertyBag(bag.text()));
  return read;
}

QStringList names(const QSignalSpy& marks) {
  QStringList out;
  for (const QList<QVariant>& mark : marks) out << mark.at(0).toString();
  return out;
}

// Every pixel different, so a picture read back transposed or scaled would not match.
QImage numbered_image(QImage::Format format, int alpha) {
  QImage image(5, 3, format);
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) image.setPixel(x, y, qRgba(40 * x, 70 * y, 9, alpha));
  return image;
}

bool same_pixels(const QImage& a, const QImage& b) {
  return a.convertToFormat(QImage::Format_ARGB32) == b.convertToFormat(QImage::Format_ARGB32);
}

}  // namespace

class StoredPropertiesTest : public QObject {
  Q_OBJECT

 private slots:
  void everyFontAttributeReadsBack() {
    QFont font("DejaVu Serif");
    font.setPointSizeF(13.5);
    font.setWeight(QFont::DemiBold);
    font.setItalic(true);
    font.setUnderline(true);
    font.setStrikeOut(true);
    FlexButton written;
    written.setFont(font);
    std::unique_ptr<FlexButton> read(reread(written));
    QCOMPARE(read->Font().family(), QString("DejaVu Serif"));
    QCOMPARE(read->Font().pointSizeF(), 13.5);
    QCOMPARE(read->Font().weight(), QFont::DemiBold);
    QVERIFY(read->Font().italic());
    QVERIFY(read->Font().underline());
    QVERIFY(read->Font().strikeOut());

    font.setWeight(QFont::Light);
    font.setItalic(false);
    font.setUnderline(false);
    written.setFont(font);
    read.reset(reread(written));
    QCOMPARE(read->Font().weight(), QFont::Light);
    QVERIFY(!read->Font().italic() && !read->Font().underline());
    QVERIFY(read->Font().strikeOut());
  }

  void olderFontEntriesReadAsBefore() {
    FlexButton button;
    button.readProperties(PropertyBag(u"Font = \"Tahoma\", 8.25, Bold, Italic\n"));
    QCOMPARE(button.Font().family(), QString("Tahoma"));
    QCOMPARE(button.Font().pointSizeF(), 8.25);
    QCOMPARE(button.Font().weight(), QFont::Bold);
    QVERIFY(button.Font().italic());
    QVERIFY(!button.Font().underline() && !button.Font().strikeOut());
    button.readProperties(PropertyBag(u"Font = \"Tahoma\", 10\n"));
    QCOMPARE(button.Font().weight(), QFont::Normal);
    QVERIFY(!button.Font().italic());
  }

  // Qt's fonts have no character set; a stored one must not be dropped by the next save.
  void aStoredCharacterSetIsWrittenBack() {
    FlexButton button;
    button.readProperties(PropertyBag(u"Font = \"Tahoma\", 8, Charset 204\n"));
    PropertyBag bag;
    button.writeProperties(bag);
    QVERIFY2(bag.text().contains("Charset 204"), qPrintable(bag.text()));
    FlexButton plain;
    plain.readProperties(PropertyBag(u"Font = \"Tahoma\", 8\n"));
    PropertyBag plain_bag;
    plain.writeProperties(plain_bag);
    QVERIFY(!plain_bag.text().contains("Charset"));
  }

  void picturesMadeInMemoryReadBack() {
    const QImage bitmap = numbered_image(QImage::Format_RGB32, 255);
    const QImage icon = numbered_image(QImage::Format_ARGB32, 100);
    FlexButton written;
    written.setPicture({bitmap, ButtonPicture::Kind::Bitmap, {}});
    written.setPictureHover({icon, ButtonPicture::Kind::Icon, {}});
    written.setMouseIcon({icon, ButtonPicture::Kind::Icon, {}});
    std::unique_ptr<FlexButton> read(reread(written));
    QVERIFY(same_pixels(read->Picture().image, bitmap));
    QCOMPARE(read->Picture().kind, ButtonPicture::Kind::Bitmap);
    QVERIFY(same_pixels(read->PictureHover().image, icon));
    QCOMPARE(qAlpha(read->PictureHover().image.pixel(1, 1)), 100);
    QCOMPARE(read->PictureHover().kind, ButtonPicture::Kind::Icon);
    QVERIFY(same_pixels(read->MouseIcon().image, icon));
    QCOMPARE(read->MousePointer(), qint16(99));
  }

  // The picture itself is stored: a file deleted after the save does not lose it; an entry of
  // the older form, the file's path alone, still loads the file.
  void picturesFromFilesOutliveTheirFiles() {
    QTemporaryDir dir;
    const QString path = dir.filePath("logo.png");
    const QImage image = numbered_image(QImage::Format_RGB32, 255);
    QVERIFY(image.save(path));
    FlexButton older;
    older.readProperties(PropertyBag(QString("Picture = \"%1\"\n").arg(path)));
    QVERIFY(same_pixels(older.Picture().image, image));
    QCOMPARE(older.Picture().source, path);

    PropertyBag bag;
    older.writeProperties(bag);
    QVERIFY(QFile::remove(path));
    FlexButton read;
    read.readProperties(PropertyBag(bag.text()));
    QVERIFY(same_pixels(read.Picture().image, image));
    QCOMPARE(read.Picture().source, path);
  }

  void noPictureStaysNone() {
    FlexButton written;
    std::unique_ptr<FlexButton> read(reread(written));
    QVERIFY(read->Picture().isNone());
    QVERIFY(read->PictureHover().isNone());
    QVERIFY(read->MouseIcon().isNone());
    PropertyBag bag;
    written.writeProperties(bag);
    QVERIFY(!bag.text().contains("Picture"));
  }

  // Other writers of the store keep colours as signed 32-bit numbers.
  void signedColoursReadAsTheirBits() {
    FlexButton button;
    button.readProperties(
        PropertyBag(u"BackColor = -2147483633\nForeColor = -2147483630\nMaskColor = -16777216\n"));
    QCOMPARE(button.BackColor(), OleColor{0x8000000F});
    QCOMPARE(button.ForeColor(), OleColor{0x80000012});
    QCOMPARE(button.MaskColor(), OleColor{0xFF000000});
    button.readProperties(PropertyBag(u"MaskColor = -2147483649\n"));  // beyond 32 bits
    QCOMPARE(button.MaskColor(), OleColor{14737632});
  }

  void theHostsEnablingMarksNothing() {
    QWidget host;
    auto* button = new FlexButton(&host);
    QSignalSpy marks(button, &FlexButton::PropertyChanged);
    host.setEnabled(false);
    QVERIFY(!button->isEnabled());
    QVERIFY(button->Enabled());
    host.setEnabled(true);
    QCOMPARE(names(marks), QStringList());
    button->setEnabled(false);
    button->setEnabled(false);
    QCOMPARE(names(marks), QStringList({"Enabled", "Enabled"}));
    QVERIFY(!button->Enabled());
  }

  // A set marks its property even when the value is the same; a font set marks it once for
  // the set and once for the font's change handling that follows.
  void everyFontSetMarks() {
    QWidget host;
    auto* button = new FlexButton(&host);
    QSignalSpy marks(button, &FlexButton::PropertyChanged);
    button->setFont(button->Font());
    QCOMPARE(names(marks), QStringList({"Font", "Font"}));
    QFont bigger = host.font();
    bigger.setPointSize(host.font().pointSize() + 4);
    host.setFont(bigger);
    QCOMPARE(marks.count(), 2);
  }
};

FLEXBUTTON_TEST_CLASS(StoredPropertiesTest)
#include "stored_properties_test.moc"
