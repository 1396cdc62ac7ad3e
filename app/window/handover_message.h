#pragma once

#include <QByteArray>
#include <QStringList>
#include <optional>

namespace ordelix {

// What one instance hands the running one: its paths, as a 4-byte big-endian
// length and then a body that starts with its format's version.
inline constexpr qsizetype handover_header_bytes = 4;
// Above what a command line can carry as UTF-16; the reader buffers no more.
inline constexpr qsizetype handover_max_body_bytes = 8 << 20;
// The running instance's answer once it has the paths.
inline constexpr char handover_taken = '\x06';

// The framed paths; empty when they do not fit in one message.
QByteArray handover_frame(const QStringList& paths);
// The body length a header announces, or -1 beyond the limit.
qsizetype handover_body_length(const QByteArray& header);
// The paths in a body; none when it is malformed, of another version, holds
// an empty path or has bytes left over.
std::optional<QStringList> handover_paths(const QByteArray& body);

}  // namespace ordelix
