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

}  // namespace ordelix
