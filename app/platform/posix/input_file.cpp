#include "platform/input_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "unique_fd.h"

namespace ordelix {
namespace {

std::time_t creation_time(int fd, const struct stat& st) {
  struct statx stx {};
  if (::statx(fd, "", AT_EMPTY_PATH, STATX_BTIME, &stx) == 0 && (stx.stx_mask & STATX_BTIME))
    return static_cast<std::time_t>(stx.stx_btime.tv_sec);
  return st.st_mtime;
}

}  // namespace

Result<InputFile> input_file_read(const std::string& path, std::size_t max_bytes) {
  // Non-blocking, so that a pipe without a writer cannot stall the open;
  // the fstat then keeps everything but regular files out.
  UniqueFd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY));
  if (fd.get() < 0) return Problem(ProblemKind::cannot_open, errno);
  struct stat st {};
  if (::fstat(fd.get(), &st) != 0) return Problem(ProblemKind::cannot_read, errno);
  if (S_ISDIR(st.st_mode)) return Problem(ProblemKind::is_folder);
  if (!S_ISREG(st.st_mode)) return Problem(ProblemKind::not_regular);
  if (static_cast<std::size_t>(st.st_size) > max_bytes) return Problem(ProblemKind::too_large);
  InputFile file;
  char buffer[1 << 16];
  for (;;) {
    ssize_t n = ::read(fd.get(), buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return Problem(ProblemKind::cannot_read, errno);
    if (n == 0) break;
    if (file.bytes.size() + static_cast<std::size_t>(n) > max_bytes)
      return Problem(ProblemKind::too_large);
    file.bytes.append(buffer, static_cast<std::size_t>(n));
  }
  file.created = creation_time(fd.get(), st);
  return file;
}

}  // namespace ordelix
