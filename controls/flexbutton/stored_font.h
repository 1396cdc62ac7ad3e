#pragma once

#include <optional>

#include <QFont>
#include <QMetaType>
#include <QString>

namespace ordelix {

// A font as the property store keeps it. Qt's fonts have no character set; one read from a store
// is carried along so that it is written back as it was.
struct StoredFont {
  QFont font;
  std::optional<int> charset;
};

// "Family", size, then the attributes that differ from a plain font: Bold (any weight above
// medium, which is all older readers know), Weight N (other than 400 and 700), Italic,
// Underline, Strikeout, Charset N.
QString font_text(const StoredFont& stored);

// Attributes missing from `text` are those of a plain font; family and size missing or unreadable
// are taken from `like`.
std::optional<StoredFont> font_from_text(const QString& text, const QFont& like);

}  // namespace ordelix

Q_DECLARE_METATYPE(ordelix::StoredFont)
