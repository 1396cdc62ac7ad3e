#include "access_key.h"

namespace ordelix {

std::optional<QChar> access_key(QStringView caption) {
  if (caption.size() < 2) return std::nullopt;
  const qsizetype first = caption.indexOf(u'&');
  if (first < 0 || first + 1 >= caption.size()) return std::nullopt;
  if (caption[first + 1] != u'&') return caption[first + 1].toLower();
  const qsizetype second = caption.indexOf(u'&', first + 2);
  if (second < 0 || second + 1 >= caption.size() || caption[second + 1] == u'&')
    return std::nullopt;
  return caption[second + 1].toLower();
}

QString caption_text(QStringView caption) {
  QString text;
  text.reserve(caption.size());
  for (qsizetype i = 0; i < caption.size(); ++i) {
    if (caption[i] != u'&') {
      text += caption[i];
    } else if (i + 1 < caption.size() && caption[i + 1] == u'&') {
      text += u'&';
      ++i;
    }
  }
  return text;
}

}  // namespace ordelix
