#pragma once

#include <QDateTime>
#include <QLocale>
#include <QString>

namespace ordelix {

// Year/month/day without leading zeros, two blanks, the locale's time of day.
QString clock_text(const QDateTime& now, const QLocale& locale);

}  // namespace ordelix
