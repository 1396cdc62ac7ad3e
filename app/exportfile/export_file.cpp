#include "export_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/unique_fd.h"

namespace ordelix {
namespace {

std::time_t creation_time(int fd, const struct stat& st) {
  struct statx stx {};
  if (::statx(fd, "", AT_EMPTY_PATH, STATX_BTIME, &stx) == 0 && (stx.stx_mask & STATX_BTIME))
    return static_cast<std::time_t>(stx.stx_btime.tv_sec);
  return st.st_mtime;
}

}  // namespace

LoadResult export_file_load(const std::string& path) {
  LoadResult result;
  auto fail = [&result](ProblemKind kind, int sys_errno = 0) {
    result.error = Problem{kind, 0, {}, sys_errno};
    return std::move(result);
  };
  // Non-blocking, so that a pipe without a writer cannot stall the open;
  // the fstat then keeps everything but regular files out.
  UniqueFd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY));
  if (fd.get() < 0) return fail(ProblemKind::cannot_open, errno);
  struct stat st {};
  if (::fstat(fd.get(), &st) != 0) return fail(ProblemKind::cannot_read, errno);
  if (S_ISDIR(st.st_mode)) return fail(ProblemKind::is_folder);
  if (!S_ISREG(st.st_mode)) return fail(ProblemKind::not_regular);
  if (static_cast<std::size_t>(st.st_size) > ExportFile::max_bytes)
    return fail(ProblemKind::too_large);
  std::string bytes;
  char buffer[1 << 16];
  for (;;) {
    ssize_t n = ::read(fd.get(), buffer, sizeof buffer);
    if (n < 0) {
      if (errno == EINTR) continue;
      return fail(ProblemKind::cannot_read, errno);
    }
    if (n == 0) break;
    if (bytes.size() + static_cast<std::size_t>(n) > ExportFile::max_bytes)
      return fail(ProblemKind::too_large);
    bytes.append(buffer, static_cast<std::size_t>(n));
  }
  result.file = ExportFile(path, std::move(bytes), creation_time(fd.get(), st));
  return result;
}

}  // namespace ordelix
