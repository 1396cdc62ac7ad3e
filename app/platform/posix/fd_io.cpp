#include "fd_io.h"

#include <unistd.h>

#include <cerrno>

namespace ordelix {

int fd_write_all(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    ssize_t n = ::write(fd, bytes.data(), bytes.size());
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return errno;
    if (n == 0) return EIO;
    bytes.remove_prefix(static_cast<std::size_t>(n));
  }
  return 0;
}

int fd_write_all_at(int fd, std::string_view bytes, off_t at) {
  while (!bytes.empty()) {
    ssize_t n = ::pwrite(fd, bytes.data(), bytes.size(), at);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return errno;
    if (n == 0) return EIO;
    bytes.remove_prefix(static_cast<std::size_t>(n));
    at += n;
  }
  return 0;
}

ssize_t fd_read_at(int fd, char* buffer, std::size_t size, off_t at) {
  ssize_t n = ::pread(fd, buffer, size, at);
  while (n < 0 && errno == EINTR) n = ::pread(fd, buffer, size, at);
  return n;
}

}  // namespace ordelix
