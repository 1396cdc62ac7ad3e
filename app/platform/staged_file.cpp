#include "staged_file.h"

#include <fcntl.h>
#include <stdio.h>
#include <sys/random.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <filesystem>

namespace ordelix {
namespace {

namespace fs = std::filesystem;

constexpr int file_mode = 0666;  // the kernel takes the umask off
constexpr int name_attempts = 100;

std::string hidden_name(const std::string& folder) {
  static constexpr char letters[] =
      "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
  unsigned char random[6];
  if (::getrandom(random, sizeof random, GRND_NONBLOCK) != sizeof random) {
    auto ticks = std::chrono::steady_clock::now().time_since_epoch().count();
    for (unsigned char& r : random) r = static_cast<unsigned char>(ticks >>= 5);
  }
  std::string name = ".ordelix-";
  for (unsigned char r : random) name += letters[r % (sizeof letters - 1)];
  return (fs::path(folder) / name).string();
}

std::string fd_path(int fd) {
  return "/proc/self/fd/" + std::to_string(fd);
}

// An unnamed file in `folder`; -1 where the file system or a missing /proc
// (through which it is opened and linked) does not allow one, else its errno.
int unnamed_file(const std::string& folder, int& fd) {
  fd = ::open(folder.c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, file_mode);
  if (fd < 0) return errno == EOPNOTSUPP || errno == EISDIR || errno == EINVAL ? -1 : errno;
  if (::access(fd_path(fd).c_str(), F_OK) != 0) {
    ::close(fd);
    return -1;
  }
  return 0;
}

// What stands at `path` is still the empty file `reserved` was taken of.
bool still_reserved(const std::string& path, const struct stat& reserved) {
  struct stat now {};
  return ::lstat(path.c_str(), &now) == 0 && S_ISREG(now.st_mode) && now.st_size == 0 &&
         now.st_dev == reserved.st_dev && now.st_ino == reserved.st_ino;
}

// Takes `to` with an empty file of our own, which only then `from` replaces:
// an existing `to` fails the exclusive create instead.
int rename_over_reservation(const std::string& from, const std::string& to) {
  RemovalOnSignal removal(to);
  int fd = ::open(to.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, file_mode);
  if (fd < 0) return errno;
  struct stat reserved {};
  int err = ::fstat(fd, &reserved) == 0 ? 0 : errno;
  // Closed first: FUSE file systems keep a replaced file that is still open
  // under a hidden name of their own.
  ::close(fd);
  if (err == 0 && ::rename(from.c_str(), to.c_str()) != 0) err = errno;
  if (err != 0 && still_reserved(to, reserved)) ::unlink(to.c_str());
  return err;
}

// Moves `from` to `to`; without `replace` an existing `to` is kept.
int rename_into_place(const std::string& from, const std::string& to, bool replace) {
  if (replace) return ::rename(from.c_str(), to.c_str()) == 0 ? 0 : errno;
  if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return 0;
  if (errno != EINVAL && errno != ENOSYS) return errno;
  // File systems without no-replace renames: a hard link fails on an existing name too.
  if (::link(from.c_str(), to.c_str()) == 0) {
    ::unlink(from.c_str());
    return 0;
  }
  // No hard links here, as on FAT and exFAT; a FUSE one without them may say ENOSYS.
  if (errno != EPERM && errno != EOPNOTSUPP && errno != ENOSYS) return errno;
  return rename_over_reservation(from, to);
}

}  // namespace

std::variant<StagedFile, int> StagedFile::create(const std::string& folder, Naming naming) {
  if (naming == Naming::unnamed_where_possible) {
    int fd = -1;
    int err = unnamed_file(folder, fd);
    if (err == 0) return StagedFile(fd, fd_path(fd), nullptr);
    if (err > 0) return err;
  }
  for (int attempt = 0; attempt < name_attempts; ++attempt) {
    std::string path = hidden_name(folder);
    // Guarded before it exists: a signal may come the moment it does.
    auto removal = std::make_unique<RemovalOnSignal>(path);
    int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, file_mode);
    if (fd >= 0) return StagedFile(fd, std::move(path), std::move(removal));
    if (errno != EEXIST) return errno;
  }
  return EEXIST;
}

StagedFile::StagedFile(StagedFile&& other) noexcept
    : fd_(other.fd_),
      path_(std::move(other.path_)),
      removal_(std::move(other.removal_)),
      placed_(other.placed_) {
  other.fd_ = -1;
  other.placed_ = true;
}

StagedFile::~StagedFile() {
  if (!placed_ && named()) ::unlink(path_.c_str());
  if (fd_ >= 0) ::close(fd_);
}

int StagedFile::place(const std::string& target, bool replace) {
  int err = 0;
  if (named()) {
    err = rename_into_place(path_, target, replace);
  } else if (!replace) {
    err = ::linkat(AT_FDCWD, path_.c_str(), AT_FDCWD, target.c_str(), AT_SYMLINK_FOLLOW) == 0
              ? 0
              : errno;
  } else {
    // Replacing takes a rename, and a rename takes a name: a hidden one, for
    // the moment between the two.
    std::string folder = fs::path(target).parent_path().string();
    err = EEXIST;
    for (int attempt = 0; attempt < name_attempts && err == EEXIST; ++attempt) {
      std::string hidden = hidden_name(folder.empty() ? "." : folder);
      RemovalOnSignal removal(hidden);
      err = ::linkat(AT_FDCWD, path_.c_str(), AT_FDCWD, hidden.c_str(), AT_SYMLINK_FOLLOW) == 0
                ? 0
                : errno;
      if (err == 0 && (err = rename_into_place(hidden, target, true)) != 0)
        ::unlink(hidden.c_str());
    }
  }
  placed_ = err == 0;
  return err;
}

}  // namespace ordelix
