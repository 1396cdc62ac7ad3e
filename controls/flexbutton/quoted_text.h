#pragma once

#include <optional>

#include <QString>
#include <QStringView>

namespace ordelix {

// A string as the property store writes it: in double quotes, with \" \\ \n \r \t escaped.
QString quoted(const QString& text);

// The quoted string at the start of `text`; `rest` gets what follows the closing quote.
std::optional<QString> unquoted(QStringView text, QStringView* rest = nullptr);

}  // namespace ordelix
