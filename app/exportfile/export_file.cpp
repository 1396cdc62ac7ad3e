#include "export_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace ordelix {
namespace {

class Fd {
 public:
  explicit Fd(int fd) : fd_(fd) {}
  ~Fd() {
    if (fd_ >= 0) ::close(fd_);
  }
  Fd(const Fd&) = delete;
  Fd& operator=(const Fd&) = delete;
  int get() const { return fd_; }

 private:
  int fd_;
};

std::time_t creation_time(int fd, const struct stat& st) {
  struct statx stx {};
  if (::statx(fd, "", AT_EMPTY_PATH, STATX_BTIME, &stx) == 0 && (stx.stx_mask & STATX_BTIME))
    return static_cast<std::time_t>(stx.stx_btime.tv_sec);
  return st.st_mtime;
}

}  // namespace

LoadResult export_file_load(const std::string& path) {
  LoadResult result;
  Fd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
  if (fd.get() < 0) {
    result.error = LoadError::cannot_open;
    result.sys_errno = errno;
    return result;
  }
  struct stat st {};
  if (::fstat(fd.get(), &st) != 0) {
    result.error = LoadError::cannot_read;
    result.sys_errno = errno;
    return result;
  }
  if (S_ISDIR(st.st_mode)) {
    result.error = LoadError::is_directory;
    return result;
  }
  std::string bytes;
  char buffer[1 << 16];
  for (;;) {
    ssize_t n = ::read(fd.get(), buffer, sizeof buffer);
    if (n < 0) {
      if (errno == EINTR) continue;
      result.error = LoadError::cannot_read;
      result.sys_errno = errno;
      return result;
    }
    if (n == 0) break;
    if (bytes.size() + static_cast<std::size_t>(n) > ExportFile::max_bytes) {
      result.error = LoadError::too_large;
      return result;
    }
    bytes.append(buffer, static_cast<std::size_t>(n));
  }
  result.file = ExportFile(path, std::move(bytes), creation_time(fd.get(), st));
  return result;
}

std::string load_error_text(LoadError error, int sys_errno) {
  switch (error) {
    case LoadError::none:
      return "no error";
    case LoadError::cannot_open:
      return std::string("cannot open: ") + std::strerror(sys_errno);
    case LoadError::is_directory:
      return "is a folder, not an export file";
    case LoadError::cannot_read:
      return std::string("cannot read: ") + std::strerror(sys_errno);
    case LoadError::too_large:
      return "is larger than 64 MiB and cannot be an export file";
  }
  return "unknown error";
}

}  // namespace ordelix
