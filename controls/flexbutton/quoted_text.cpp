#include "quoted_text.h"

namespace ordelix {

QString quoted(const QString& text) {
  QString out(u'"');
  for (QChar c : text) {
    switch (c.unicode()) {
      case u'"':
        out += u"\\\"";
        break;
      case u'\\':
        out += u"\\\\";
        break;
      case u'\n':
        out += u"\\n";
        break;
      case u'\r':
        out += u"\\r";
        break;
      case u'\t':
        out += u"\\t";
        break;
      default:
        out += c;
    }
  }
  return out + u'"';
}

std::optional<QString> unquoted(QStringView text, QStringView* rest) {
  if (!text.startsWith(u'"')) return std::nullopt;
  QString out;
  for (qsizetype i = 1; i < text.size(); ++i) {
    QChar c = text[i];
    if (c == u'"') {
      if (rest) *rest = text.mid(i + 1);
      return out;
    }
    if (c == u'\\' && i + 1 < text.size()) {
      c = text[++i];
      if (c == u'n') c = u'\n';
      if (c == u'r') c = u'\r';
      if (c == u't') c = u'\t';
    }
    out += c;
  }
  return std::nullopt;
}

}  // namespace ordelix
