#include "platform/output.h"

#include "fd_io.h"

namespace ordelix {

Result<void> output_write(int descriptor, std::string_view bytes) {
  if (int err = fd_write_all(descriptor, bytes); err != 0)
    return Problem(ProblemKind::stdout_failed, err);
  return {};
}

}  // namespace ordelix
