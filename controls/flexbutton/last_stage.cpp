#include "last_stage.h"

#include <optional>

#include "button_styles.h"
#include "caption_layout.h"
#include "drawing_primitives.h"

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

// Right and bottom are exclusive, as the platform's rectangles have them.
struct Edges {
  int left, top, right, bottom;
};

std::optional<Edges> focus_edges(const ButtonLook& look, int w, int h) {
  switch (look.style) {
    case button_style::Standard:
    case button_style::HotTrack3D:
      if (look.checked) return std::nullopt;  // the sunken checked look ends before it
      return Edges{4, 4, w - 4, h - 4};
    case button_style::Flat:
    case button_style::FlatHotTrack:
      if (look.checked) return std::nullopt;
      return Edges{3, 3, w - 3, h - 3};
    case button_style::SoftGradient:
    case button_style::GreyGradient:
      return Edges{3, 3, w - 3, h - 3};
    case button_style::DropShadow:
      // It follows the body, which sits on its shadow when pressed.
      return look.draw_state == 2 ? Edges{6, 6, w - 3, h - 3} : Edges{3, 3, w - 6, h - 6};
    default:
      return std::nullopt;
  }
}

}  // namespace

void draw_focus_rectangle(QImage& surface, const ButtonLook& look) {
  if (!look.show_focus_rect || !(look.focused || look.default_look) || !look.parent_active) return;
  if (const std::optional<Edges> e = focus_edges(look, surface.width(), surface.height()))
    focus_rect(surface, e->left, e->top, e->right, e->bottom);
}

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
