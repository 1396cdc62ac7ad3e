#include "picture_text.h"

#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <QStringList>

#include "quoted_text.h"

namespace ordelix {
namespace {

constexpr QStringView bitmap_word = u"Bitmap";
constexpr QStringView icon_word = u"Icon";

QString png_base64(const QImage& image) {
  QByteArray png;
  QBuffer buffer(&png);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, "PNG");
  return QString::fromLatin1(png.toBase64());
}

QImage image_from_base64(QStringView data) {
  const QByteArray::FromBase64Result png =
      QByteArray::fromBase64Encoding(data.toLatin1(), QByteArray::AbortOnBase64DecodingErrors);
  if (!png || png.decoded.isEmpty()) return {};
  return QImage::fromData(png.decoded, "PNG");
}

}  // namespace

QString picture_text(const ButtonPicture& picture) {
  if (picture.isNone()) return {};
  QStringList items{
      picture.kind == ButtonPicture::Kind::Icon ? icon_word.toString() : bitmap_word.toString(),
      quoted(picture.source)};
  if (!picture.image.isNull()) items << png_base64(picture.image);
  return items.join(QStringLiteral(", "));
}

ButtonPicture picture_from_text(const QString& text) {
  const qsizetype comma = text.indexOf(u',');
  const QStringView kind = QStringView(text).left(comma).trimmed();
  const bool icon = kind.compare(icon_word, Qt::CaseInsensitive) == 0;
  if (comma < 0 || (!icon && kind.compare(bitmap_word, Qt::CaseInsensitive) != 0))
    return ButtonPicture::fromFile(unquoted(text).value_or(text.trimmed()));
  QStringView rest;
  const QString source =
      unquoted(QStringView(text).mid(comma + 1).trimmed(), &rest).value_or(QString());
  rest = rest.trimmed();
  if (rest.startsWith(u',')) rest = rest.mid(1).trimmed();
  QImage image = image_from_base64(rest);
  if (image.isNull() && !source.isEmpty()) image = QImage(source);
  return {image, icon ? ButtonPicture::Kind::Icon : ButtonPicture::Kind::Bitmap, source};
}

}  // namespace ordelix
