#include "handle_read.h"

#include "windows_errors.h"

namespace ordelix {

Result<std::size_t> handle_read_at(HANDLE handle, std::uint64_t at, char* buffer,
                                   std::size_t size) {
  OVERLAPPED where{};
  where.Offset = static_cast<DWORD>(at);
  where.OffsetHigh = static_cast<DWORD>(at >> 32);
  DWORD chunk = size > (1u << 30) ? (1u << 30) : static_cast<DWORD>(size);
  DWORD n = 0;
  if (!ReadFile(handle, buffer, chunk, &n, &where)) {
    if (GetLastError() == ERROR_HANDLE_EOF) return std::size_t{0};
    return Problem(ProblemKind::cannot_read, last_errno());
  }
  return static_cast<std::size_t>(n);
}

}  // namespace ordelix
