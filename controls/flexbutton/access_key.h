#pragma once

#include <optional>

#include <QChar>
#include <QString>
#include <QStringView>

namespace ordelix {

// The lower-case character after the caption's first single "&"; "&&" is a literal ampersand.
// Only the first two ampersands are looked at.
std::optional<QChar> access_key(QStringView caption);

// The caption as read: "&&" gives one ampersand, any other "&" only marks the next character.
QString caption_text(QStringView caption);

}  // namespace ordelix
