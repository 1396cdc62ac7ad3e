#include "platform/output.h"

#include <fcntl.h>
#include <io.h>

#include <cerrno>
#include <climits>

namespace ordelix {

// In binary mode: the C runtime's text mode would turn every LF byte of the
// workbook into CR LF.
Result<void> output_write(int descriptor, std::string_view bytes) {
  if (_setmode(descriptor, _O_BINARY) == -1) return Problem(ProblemKind::stdout_failed, errno);
  while (!bytes.empty()) {
    unsigned chunk = bytes.size() > INT_MAX / 2 ? INT_MAX / 2 : static_cast<unsigned>(bytes.size());
    int n = _write(descriptor, bytes.data(), chunk);
    if (n < 0) return Problem(ProblemKind::stdout_failed, errno);
    bytes.remove_prefix(static_cast<std::size_t>(n));
  }
  return {};
}

}  // namespace ordelix
