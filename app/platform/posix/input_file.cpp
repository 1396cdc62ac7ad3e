#include "platform/input_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "fd_io.h"
#include "unique_fd.h"

namespace ordelix {
namespace {

std::time_t creation_time(int fd, const struct stat& st) {
  struct statx stx {};
  if (::statx(fd, "", AT_EMPTY_PATH, STATX_BTIME, &stx) == 0 && (stx.stx_mask & STATX_BTIME))
    return static_cast<std::time_t>(stx.stx_btime.tv_sec);
  return st.st_mtime;
}

// Non-blocking, so that a pipe without a writer cannot stall the open.
int open_for_reading(const std::string& path) {
  return ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
}

// Keeps everything but regular files out.
Result<void> regular_check(int fd, struct stat& st) {
  if (::fstat(fd, &st) != 0) return Problem(ProblemKind::cannot_read, errno);
  if (S_ISDIR(st.st_mode)) return Problem(ProblemKind::is_folder);
  if (!S_ISREG(st.st_mode)) return Problem(ProblemKind::not_regular);
  return {};
}

// A write between the two looks shows in the size or the time of the last change.
bool unchanged_since(int fd, const struct stat& before) {
  struct stat after {};
  return ::fstat(fd, &after) == 0 && after.st_size == before.st_size &&
         after.st_mtim.tv_sec == before.st_mtim.tv_sec &&
         after.st_mtim.tv_nsec == before.st_mtim.tv_nsec;
}

}  // namespace

Result<InputFile> input_file_read(const std::string& path, std::size_t max_bytes) {
  UniqueFd fd(open_for_reading(path));
  if (fd.get() < 0) return Problem(ProblemKind::cannot_open, errno);
  struct stat st {};
  if (Result<void> regular = regular_check(fd.get(), st); !regular)
    return std::move(regular).error();
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
  if (!unchanged_since(fd.get(), st)) return Problem(ProblemKind::changed_while_read);
  file.created = creation_time(fd.get(), st);
  return file;
}

struct ReadOnlyFile::Impl {
  explicit Impl(int descriptor) : fd(descriptor) {}
  UniqueFd fd;
  std::uint64_t size = 0;
};

Result<ReadOnlyFile> ReadOnlyFile::open(const std::string& path) {
  auto impl = std::make_unique<Impl>(open_for_reading(path));
  if (impl->fd.get() < 0) return Problem(ProblemKind::cannot_open, errno);
  struct stat st {};
  if (Result<void> regular = regular_check(impl->fd.get(), st); !regular)
    return std::move(regular).error();
  impl->size = static_cast<std::uint64_t>(st.st_size);
  return ReadOnlyFile(std::move(impl));
}

ReadOnlyFile::ReadOnlyFile(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {}
ReadOnlyFile::ReadOnlyFile(ReadOnlyFile&& other) noexcept = default;
ReadOnlyFile::~ReadOnlyFile() = default;

std::uint64_t ReadOnlyFile::size() const {
  return impl_->size;
}

Result<std::size_t> ReadOnlyFile::read_at(std::uint64_t at, char* buffer, std::size_t size) const {
  ssize_t n = fd_read_at(impl_->fd.get(), buffer, size, static_cast<off_t>(at));
  if (n < 0) return Problem(ProblemKind::cannot_read, errno);
  return static_cast<std::size_t>(n);
}

}  // namespace ordelix
