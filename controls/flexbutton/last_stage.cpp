#include "last_stage.h"

#include <optional>

#include "caption_layout.h"

namespace ordelix {
namespace {

QSize shown_size(QSize own, int picture_size) {
  switch (picture_size) {
    case 1:
      return {16, 16};
    case 2:
      return {24, 24};
    case 3:
      return {32, 32};
    default:
      return own;
  }
}

QPoint picture_offset(int style, int draw_state) {
  if (style == 5) return draw_state == 2 ? QPoint(2, 2) : QPoint(-1, -1);
  const bool moves = style == 0 || style == 1 || style == 3 || style == 8;
  return draw_state == 2 && moves ? QPoint(1, 1) : QPoint(0, 0);
}

QImage greyed(QImage image) {
  image = image.convertToFormat(QImage::Format_ARGB32);
  for (int y = 0; y < image.height(); ++y) {
    auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < image.width(); ++x) {
      const int grey = qGray(row[x]);
      row[x] = qRgba(grey, grey, grey, qAlpha(row[x]));
    }
  }
  return image;
}

QImage keyed_out(QImage image, QRgb key) {
  image = image.convertToFormat(QImage::Format_ARGB32);
  for (int y = 0; y < image.height(); ++y) {
    auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < image.width(); ++x)
      if ((row[x] & 0x00FFFFFF) == (key & 0x00FFFFFF)) row[x] = 0;
  }
  return image;
}

void draw_picture(QPainter& painter, const QRect& target, const ButtonPicture& picture,
                  const ButtonLook& look, bool grey) {
  if (picture.image.isNull() || target.isEmpty()) return;
  QImage image = picture.image;
  Qt::TransformationMode mode = Qt::SmoothTransformation;
  if (picture.kind == ButtonPicture::Kind::Bitmap) {
    mode = Qt::FastTransformation;
    image = look.use_mask_color ? keyed_out(image, to_qrgb(look.mask_color))
                                : image.convertToFormat(QImage::Format_RGB32);
  }
  if (grey) image = greyed(image);
  painter.drawImage(target.topLeft(), image.scaled(target.size(), Qt::IgnoreAspectRatio, mode));
}

void draw_pictures(QPainter& painter, const QRect& target, const ButtonLook& look) {
  const ButtonPicture& hover =
      !look.picture_hover.image.isNull() && look.picture_hover.kind == look.picture.kind
          ? look.picture_hover
          : look.picture;
  if (!look.enabled) {
    draw_picture(painter, target, look.picture, look, true);
    return;
  }
  draw_picture(painter, target, look.draw_state == 0 ? look.picture : hover, look, false);
  if (look.checked) draw_picture(painter, target, hover, look, false);
}

}  // namespace

void draw_last_stage(QPainter& painter, QSize client, const ButtonLook& look) {
  painter.setFont(look.font);
  const QFontMetrics metrics = painter.fontMetrics();
  // Measured with its ampersands, as the placement rules expect.
  const QSize text(metrics.horizontalAdvance(look.caption), metrics.height());
  const bool has_picture = !look.picture.image.isNull();
  const std::optional<QSize> picture =
      has_picture ? std::optional(shown_size(look.picture.image.size(), look.picture_size))
                  : std::nullopt;
  const CaptionPlacement place = place_caption(client, text, picture, look.caption_align,
                                               look.picture_align, look.has_access_key);
  if (has_picture)
    draw_pictures(painter, place.picture.translated(picture_offset(look.style, look.draw_state)),
                  look);

  const QPoint pressed = look.draw_state == 2 ? QPoint(1, 1) : QPoint(0, 0);
  painter.setPen(QColor(to_qrgb(look.enabled ? look.fore_color : look.grey_text)));
  painter.drawText(QRect(place.caption + pressed, QSize(text.width() + 1, text.height() + 1)),
                   Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine | Qt::TextShowMnemonic,
                   look.caption);
}

}  // namespace ordelix
