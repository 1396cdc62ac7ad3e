#pragma once

#include <vector>

#include <QString>
#include <QStringView>
#include <QVariant>

namespace ordelix {

// Saved control properties as text, one "Key = value" per line: True/False, whole numbers,
// strings in double quotes (quoted_text.h), fonts (stored_font.h) and pictures (picture_text.h).
// Keys keep the spelling they were written with and are matched without regard to case.
class PropertyBag {
 public:
  PropertyBag() = default;
  // Lines without "=" or without a key are skipped; a repeated key replaces the earlier entry.
  explicit PropertyBag(QStringView text);

  QString text() const;

  // The stored value converted to the type of `fallback` (bool, int, uint, short, QString,
  // StoredFont or ButtonPicture); `fallback` when there is no entry or it does not convert.
  QVariant read(QStringView key, const QVariant& fallback) const;

  // Stores `value` under `key`, or drops the entry when `value` would be stored as
  // `written_default` is.
  void write(const QString& key, const QVariant& value, const QVariant& written_default);

 private:
  struct Entry {
    QString key;
    QString value;
  };

  std::vector<Entry>::iterator find(QStringView key);
  std::vector<Entry>::const_iterator find(QStringView key) const;
  void set(const QString& key, const QString& value);

  std::vector<Entry> entries_;
};

}  // namespace ordelix
