#include "property_bag.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>
#include <utility>

#include "picture_text.h"
#include "quoted_text.h"
#include "stored_font.h"

namespace ordelix {
namespace {

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

// Colours are also stored as signed numbers, a system colour such as 0x8000000F as -2147483633;
// both forms stand for the same 32 bits.
std::optional<QVariant> unsigned_32(const QString& stored) {
  const std::optional<long long> number = whole_number(stored);
  if (!number || *number < std::numeric_limits<std::int32_t>::min() ||
      *number > std::numeric_limits<std::uint32_t>::max())
    return std::nullopt;
  return QVariant::fromValue(static_cast<uint>(static_cast<std::uint32_t>(*number)));
}

QString encoded(const QVariant& value) {
  if (value.typeId() == qMetaTypeId<StoredFont>()) return font_text(value.value<StoredFont>());
  if (value.typeId() == qMetaTypeId<ButtonPicture>())
    return picture_text(value.value<ButtonPicture>());
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
    default:
      return quoted(value.toString());
  }
}

std::optional<QVariant> decoded(const QString& stored, const QVariant& like) {
  if (like.typeId() == qMetaTypeId<StoredFont>()) {
    const std::optional<StoredFont> font = font_from_text(stored, like.value<StoredFont>().font);
    if (!font) return std::nullopt;
    return QVariant::fromValue(*font);
  }
  if (like.typeId() == qMetaTypeId<ButtonPicture>())
    return QVariant::fromValue(picture_from_text(stored));
  switch (like.typeId()) {
    case QMetaType::Bool: {
      const std::optional<long long> number = whole_number(stored);
      if (!number) return std::nullopt;
      return QVariant(*number != 0);
    }
    case QMetaType::Int:
      return whole_number_as<int>(stored);
    case QMetaType::UInt:
      return unsigned_32(stored);
    case QMetaType::Short:
      return whole_number_as<short>(stored);
    case QMetaType::QString:
      return QVariant(plain_text(stored));
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
