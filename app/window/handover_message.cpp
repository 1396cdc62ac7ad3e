#include "handover_message.h"

#include <QDataStream>
#include <QtEndian>

namespace ordelix {
namespace {

constexpr quint16 format_version = 1;

QDataStream& versioned(QDataStream& stream) {
  stream.setVersion(QDataStream::Qt_6_0);
  return stream;
}

}  // namespace

QByteArray handover_frame(const QStringList& paths) {
  QByteArray body;
  QDataStream out(&body, QIODevice::WriteOnly);
  versioned(out) << format_version << static_cast<quint32>(paths.size());
  for (const QString& path : paths) out << path;
  if (body.size() > handover_max_body_bytes) return {};
  QByteArray frame(handover_header_bytes, '\0');
  qToBigEndian(static_cast<quint32>(body.size()), frame.data());
  return frame + body;
}

qsizetype handover_body_length(const QByteArray& header) {
  if (header.size() < handover_header_bytes) return -1;
  quint32 length = qFromBigEndian<quint32>(header.constData());
  return length > handover_max_body_bytes ? -1 : static_cast<qsizetype>(length);
}

std::optional<QStringList> handover_paths(const QByteArray& body) {
  QDataStream in(body);
  quint16 version = 0;
  quint32 count = 0;
  versioned(in) >> version >> count;
  if (in.status() != QDataStream::Ok || version != format_version) return {};
  // Read one by one: QStringList's own reader reserves room for any count it
  // is told, before a byte of it is there.
  QStringList paths;
  for (quint32 i = 0; i < count; ++i) {
    QString path;
    in >> path;
    if (in.status() != QDataStream::Ok || path.isEmpty()) return {};
    paths << path;
  }
  if (!in.atEnd()) return {};
  return paths;
}

}  // namespace ordelix
