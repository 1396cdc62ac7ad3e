#include "placing.h"

#include <fcntl.h>
#include <stdio.h>
#include <sys/random.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>

#include "platform/paths.h"

namespace ordelix {
namespace {

// What stands at `path` is still the empty file `reserved` was taken of.
bool still_reserved(const std::string& path, const struct stat& reserved) {
  struct stat now {};
  return ::lstat(path.c_str(), &now) == 0 && S_ISREG(now.st_mode) && now.st_size == 0 &&
         now.st_dev == reserved.st_dev && now.st_ino == reserved.st_ino;
}

// Takes `to` with an empty file of our own, which only then `from` replaces:
// an existing `to` fails the exclusive create instead.
int rename_over_reservation(const std::string& from, const std::string& to) {
  int fd = ::open(to.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, report_file_mode);
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

}  // namespace

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
  return path_join(folder, name);
}

}  // namespace ordelix
