#pragma once

#include <optional>

#include <QChar>
#include <QStringView>

namespace ordelix {

// The lower-case character after the caption's first single "&"; "&&" is a literal ampersand.
// Only the first two ampersands are looked at.
std::optional<QChar> access_key(QStringView caption);

}  // namespace ordelix
