#include "stored_font.h"

#include <QStringList>

#include "quoted_text.h"

namespace ordelix {
namespace {

// "Weight 600" gives 600 for the word "Weight".
std::optional<int> number_after(QStringView item, QStringView word) {
  if (!item.startsWith(word, Qt::CaseInsensitive)) return std::nullopt;
  bool ok = false;
  const int number = item.mid(word.size()).trimmed().toInt(&ok);
  if (!ok) return std::nullopt;
  return number;
}

bool is_word(QStringView item, QStringView word) {
  return item.compare(word, Qt::CaseInsensitive) == 0;
}

}  // namespace

QString font_text(const StoredFont& stored) {
  const QFont& font = stored.font;
  QStringList items{quoted(font.family()), QString::number(font.pointSizeF())};
  const int weight = font.weight();
  if (weight > QFont::Medium) items << QStringLiteral("Bold");
  if (weight != QFont::Normal && weight != QFont::Bold)
    items << QStringLiteral("Weight %1").arg(weight);
  if (font.italic()) items << QStringLiteral("Italic");
  if (font.underline()) items << QStringLiteral("Underline");
  if (font.strikeOut()) items << QStringLiteral("Strikeout");
  if (stored.charset) items << QStringLiteral("Charset %1").arg(*stored.charset);
  return items.join(QStringLiteral(", "));
}

std::optional<StoredFont> font_from_text(const QString& text, const QFont& like) {
  QStringView rest;
  std::optional<QString> family = unquoted(text, &rest);
  if (!family) {
    const qsizetype comma = text.indexOf(u',');
    family = text.left(comma).trimmed();
    rest = comma < 0 ? QStringView() : QStringView(text).mid(comma);
  }
  if (family->isEmpty()) return std::nullopt;
  StoredFont stored{like, std::nullopt};
  QFont& font = stored.font;
  font.setFamily(*family);
  font.setItalic(false);
  font.setUnderline(false);
  font.setStrikeOut(false);
  bool bold = false;
  std::optional<int> weight;
  for (QStringView item : rest.split(u',', Qt::SkipEmptyParts)) {
    item = item.trimmed();
    bool ok = false;
    const double size = item.toDouble(&ok);
    if (ok && size > 0) font.setPointSizeF(size);
    bold = bold || is_word(item, u"Bold");
    if (is_word(item, u"Italic")) font.setItalic(true);
    if (is_word(item, u"Underline")) font.setUnderline(true);
    if (is_word(item, u"Strikeout") || is_word(item, u"Strikethrough")) font.setStrikeOut(true);
    if (const std::optional<int> n = number_after(item, u"Weight"); n && *n >= 1 && *n <= 1000)
      weight = n;
    if (const std::optional<int> n = number_after(item, u"Charset"); n && *n >= 0 && *n <= 255)
      stored.charset = n;
  }
  font.setWeight(static_cast<QFont::Weight>(weight.value_or(bold ? QFont::Bold : QFont::Normal)));
  return stored;
}

}  // namespace ordelix
