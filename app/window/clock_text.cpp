#include "clock_text.h"

#include <QRegularExpression>

namespace ordelix {

QString clock_text(const QDateTime& now, const QLocale& locale) {
  // The long time format carries seconds; its time-zone name is not wanted on a clock.
  QString format = locale.timeFormat(QLocale::LongFormat);
  format.remove(QRegularExpression("\\s*\\bt+\\b\\s*"));
  QDate d = now.date();
  return QString("%1/%2/%3  %4")
      .arg(d.year())
      .arg(d.month())
      .arg(d.day())
      .arg(locale.toString(now.time(), format.trimmed()));
}

}  // namespace ordelix
