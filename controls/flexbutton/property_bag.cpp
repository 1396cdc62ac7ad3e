#include "property_bag.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>
#include <utility>

#include <QFont>

namespace ordelix {
namespace {

QString quoted(const QString& text) {
  QString out(u'"');
  for (QChar c : text) {
    switch (c.unicode()) {
      case u'"':
        out += u"\\\"";
        break;
      case u'\\':
        out += u"\\\\";
        break;
      case u'\n':
        out += u"\\n";
        break;
      case u'\r':
        out += u"\\r";
        break;
      case u'\t':
        out += u"\\t";
        break;
      default:
        out += c;
    }
  }
  return out + u'"';
}

// The quoted string at the start of `text`; `rest` gets what follows the closing quote.
std::optional<QString> unquoted(QStringView text, QStringView* rest = nullptr) {
  if (!text.startsWith(u'"')) return std::nullopt;
  QString out;
  for (qsizetype i = 1; i < text.size(); ++i) {
    QChar c = text[i];
    if (c == u'"') {
      if (rest) *rest = text.mid(i + 1);
      return out;
    }
    if (c == u'\\' && i + 1 < text.size()) {
      c = text[++i];
      if (c == u'n') c = u'\n';
      if (c == u'r') c = u'\r';
      if (c == u't') c = u'\t';
    }
    out += c;
  }
  return std::nullopt;
}

QString plain_text(const QString& stored) {
  return unquoted(stored).value_or(stored);
}

std::optional<bool> truth_word(QStringView text) {
  if (text.compare(u"True", Qt::CaseInsensitive) == 0) return true;
  if (text.compare(u"False", Qt::CaseInsensitive) == 0) return false;
  return std::nullopt;
}

std::optional<long long> whole_number(const QString& stored) {
  const QString text = plain_text(stored).trimmed();
  if (auto truth = truth_word(text)) return *truth ? -1 : 0;
  bool ok = false;
  const long long whole = text.toLongLong(&ok);
  if (ok) return whole;
  const double number = text.toDouble(&ok);
  if (!ok || !std::isfinite(number) || std::abs(number) > 9.0e18) return std::nullopt;
  return std::llrint(number);  // halves to even
}

template <typename T>
std::optional<QVariant> whole_number_as(const QString& stored) {
  const std::optional<long long> number = whole_number(stored);
  if (!number || !std::in_range<T>(*number)) return std::nullopt;
  return QVariant::fromValue(static_cast<T>(*number));
}

QString font_text(const QFont& font) {
  QString text = quoted(font.family()) + QStringLiteral(", ") + QString::number(font.pointSizeF());
  if (font.bold()) text += QStringLiteral(", Bold");
  if (font.italic()) text += QStringLiteral(", Italic");
  return text;
}

std::optional<QVariant> font_from(const QString& stored, QFont font) {
  QStringView rest;
  std::optional<QString> family = unquoted(stored, &rest);
  if (!family) {
    const qsizetype comma = stored.indexOf(u',');
    family = stored.left(comma).trimmed();
    rest = comma < 0 ? QStringView() : QStringView(stored).mid(comma);
  }
  if (family->isEmpty()) return std::nullopt;
  font.setFamily(*family);
  font.setBold(false);
  font.setItalic(false);
  for (QStringView item : rest.split(u',', Qt::SkipEmptyParts)) {
    item = item.trimmed();
    bool ok = false;
    const double size = item.toDouble(&ok);
    if (ok && size > 0) font.setPointSizeF(size);
    if (item.compare(u"Bold", Qt::CaseInsensitive) == 0) font.setBold(true);
    if (item.compare(u"Italic", Qt::CaseInsensitive) == 0) font.setItalic(true);
  }
  return font;
}

QString encoded(const QVariant& value) {
  switch (value.typeId()) {
    case QMetaType::Bool:
      return value.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    case QMetaType::Int:
    case QMetaType::Short:
    case QMetaType::LongLong:
      return QString::number(value.toLongLong());
    case QMetaType::UInt:
    case QMetaType::UShort:
    case QMetaType::ULongLong:
      return QString::number(value.toULongLong());
    case QMetaType::QFont:
      return font_text(value.value<QFont>());
    default:
      return quoted(value.toString());
  }
}

std::optional<QVariant> decoded(const QString& stored, const QVariant& like) {
  switch (like.typeId()) {
    case QMetaType::Bool: {
      const std::optional<long long> number = whole_number(stored);
      if (!number) return std::nullopt;
      return QVariant(*number != 0);
    }
    case QMetaType::Int:
      return whole_number_as<int>(stored);
    case QMetaType::UInt:
      return whole_number_as<uint>(stored);
    case QMetaType::Short:
      return whole_number_as<short>(stored);
    case QMetaType::QString:
      return QVariant(plain_text(stored));
    case QMetaType::QFont:
      return font_from(stored, like.value<QFont>());
    default:
      return std::nullopt;
  }
}

}  // namespace

PropertyBag::PropertyBag(QStringView text) {
  for (QStringView line : text.split(u'\n')) {
    const qsizetype equals = line.indexOf(u'=');
    if (equals < 0) continue;
    const QStringView key = line.left(equals).trimmed();
    if (key.isEmpty()) continue;
    set(key.toString(), line.mid(equals + 1).trimmed().toString());
  }
}

QString PropertyBag::text() const {
  QString text;
  for (const Entry& entry : entries_)
    text += entry.key + QStringLiteral(" = ") + entry.value + u'\n';
  return text;
}

QVariant PropertyBag::read(QStringView key, const QVariant& fallback) const {
  const auto entry = find(key);
  if (entry == entries_.end()) return fallback;
  return decoded(entry->value, fallback).value_or(fallback);
}

void PropertyBag::write(const QString& key, const QVariant& value,
                        const QVariant& written_default) {
  const QString text = encoded(value);
  if (text != encoded(written_default)) {
    set(key, text);
    return;
  }
  const auto entry = find(key);
  if (entry != entries_.end()) entries_.erase(entry);
}

std::vector<PropertyBag::Entry>::iterator PropertyBag::find(QStringView key) {
  return std::find_if(entries_.begin(), entries_.end(), [key](const Entry& entry) {
    return key.compare(entry.key, Qt::CaseInsensitive) == 0;
  });
}

std::vector<PropertyBag::Entry>::const_iterator PropertyBag::find(QStringView key) const {
  return std::find_if(entries_.begin(), entries_.end(), [key](const Entry& entry) {
    return key.compare(entry.key, Qt::CaseInsensitive) == 0;
  });
}

void PropertyBag::set(const QString& key, const QString& value) {
  const auto entry = find(key);
  if (entry != entries_.end())
    *entry = {key, value};
  else
    entries_.push_back({key, value});
}

}  // namespace ordelix
