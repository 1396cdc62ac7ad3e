#include "platform/staged_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <map>

#include "fd_io.h"
#include "file_system_flush.h"
#include "placing.h"
#include "platform/paths.h"
#include "removal_on_signal.h"

namespace ordelix {
namespace {

constexpr int name_attempts = 100;

std::string fd_path(int fd) {
  return "/proc/self/fd/" + std::to_string(fd);
}

// An unnamed file in `folder`; -1 where the file system or a missing /proc
// (through which it is opened and linked) does not allow one, else its errno.
int unnamed_file(const std::string& folder, int& fd) {
  fd = ::open(folder.c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, report_file_mode);
  if (fd < 0) return errno == EOPNOTSUPP || errno == EISDIR || errno == EINVAL ? -1 : errno;
  if (::access(fd_path(fd).c_str(), F_OK) != 0) {
    ::close(fd);
    return -1;
  }
  return 0;
}

// The placing failed as for a missing file while the staged file and the
// folder are both there: the file system refuses the name itself, as exFAT
// does one with a colon (ENOENT through FUSE, EINVAL from the kernel's own
// drivers).
bool name_refused(int err, const std::string& staged, const std::string& target) {
  if (err != ENOENT && err != EINVAL) return false;
  struct stat file {};
  return ::stat(staged.c_str(), &file) == 0 && is_folder(path_folder(target));
}

Problem sync_failure(int err) {
  return Problem(ProblemKind::sync_failed, err);
}

}  // namespace

struct StagedFile::Impl {
  Impl(int descriptor, std::string at, std::unique_ptr<RemovalOnSignal> guard)
      : fd(descriptor), path(std::move(at)), removal(std::move(guard)) {}
  ~Impl() {
    if (!placed && removal) removal->take([&] { return ::unlink(path.c_str()) == 0 ? 0 : errno; });
    ::close(fd);
  }

  int fd;
  std::string path;  // where unnamed, the path that opens it in this process
  std::unique_ptr<RemovalOnSignal> removal;  // set while it has a name of its own
  bool placed = false;

  int place_unnamed(const std::string& target, bool replace) const;
};

Result<StagedFile> StagedFile::create(const std::string& folder, Naming naming) {
  if (naming == Naming::unnamed_where_possible) {
    int fd = -1;
    int err = unnamed_file(folder, fd);
    if (err == 0) return StagedFile(std::make_unique<Impl>(fd, fd_path(fd), nullptr));
    if (err > 0) return Problem(ProblemKind::cannot_create, err);
  }
  for (int attempt = 0; attempt < name_attempts; ++attempt) {
    std::string path = hidden_name(folder);
    auto removal = std::make_unique<RemovalOnSignal>(path);
    int fd = -1;
    int err = removal->make([&] {
      fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, report_file_mode);
      return fd >= 0 ? 0 : errno;
    });
    if (err == 0)
      return StagedFile(std::make_unique<Impl>(fd, std::move(path), std::move(removal)));
    if (err != EEXIST) return Problem(ProblemKind::cannot_create, err);
  }
  return Problem(ProblemKind::cannot_create, EEXIST);
}

StagedFile::StagedFile(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {}
StagedFile::StagedFile(StagedFile&& other) noexcept = default;
StagedFile::~StagedFile() = default;

bool StagedFile::named() const {
  return impl_->removal != nullptr;
}

Result<void> StagedFile::write_at(std::uint64_t at, std::string_view bytes) {
  if (int err = fd_write_all_at(impl_->fd, bytes, static_cast<off_t>(at)); err != 0)
    return Problem(ProblemKind::write_failed, err);
  return {};
}

Result<std::size_t> StagedFile::read_at(std::uint64_t at, char* buffer, std::size_t size) const {
  ssize_t n = fd_read_at(impl_->fd, buffer, size, static_cast<off_t>(at));
  if (n < 0) return Problem(ProblemKind::cannot_read, errno);
  return static_cast<std::size_t>(n);
}

Result<void> StagedFile::sync() {
  if (::fsync(impl_->fd) != 0) return sync_failure(errno);
  return {};
}

// An unnamed file gets its name by a link, which never replaces; replacing
// takes a rename, and a rename takes a name: a hidden one, for the moment
// between the two.
int StagedFile::Impl::place_unnamed(const std::string& target, bool replace) const {
  if (!replace)
    return ::linkat(AT_FDCWD, path.c_str(), AT_FDCWD, target.c_str(), AT_SYMLINK_FOLLOW) == 0
               ? 0
               : errno;
  int err = EEXIST;
  for (int attempt = 0; attempt < name_attempts && err == EEXIST; ++attempt) {
    std::string hidden = hidden_name(path_folder(target));
    RemovalOnSignal guard(hidden);
    err = guard.make([&] {
      return ::linkat(AT_FDCWD, path.c_str(), AT_FDCWD, hidden.c_str(), AT_SYMLINK_FOLLOW) == 0
                 ? 0
                 : errno;
    });
    if (err == 0 &&
        (err = guard.take([&] { return rename_into_place(hidden, target, true); })) != 0)
      guard.take([&] { return ::unlink(hidden.c_str()) == 0 ? 0 : errno; });
  }
  return err;
}

Result<void> StagedFile::place(const std::string& target, bool replace) {
  int err =
      impl_->removal
          ? impl_->removal->take([&] { return rename_into_place(impl_->path, target, replace); })
          : impl_->place_unnamed(target, replace);
  if (err == EEXIST) return Problem(ProblemKind::target_exists, err);
  if (name_refused(err, impl_->path, target)) return Problem(ProblemKind::target_name_refused, err);
  if (err != 0) return Problem(ProblemKind::cannot_place, err);
  impl_->placed = true;
  return {};
}

// One file alone by itself; several by one flush of each file system they
// are on, much cheaper than one each, where that flush reaches the files.
Result<void> staged_files_sync(std::span<StagedFile* const> files) {
  if (files.size() == 1) return files.front()->sync();
  std::map<dev_t, bool> file_systems;  // whether one flush of it does
  for (StagedFile* file : files) {
    int fd = file->impl_->fd;
    struct stat st {};
    if (::fstat(fd, &st) != 0) return sync_failure(errno);
    auto known = file_systems.find(st.st_dev);
    bool first = known == file_systems.end();
    if (first) known = file_systems.emplace(st.st_dev, syncfs_covers_files(fd)).first;
    if (!known->second) {
      if (Result<void> synced = file->sync(); !synced) return synced;
    } else if (first && ::syncfs(fd) != 0) {
      return sync_failure(errno);
    }
  }
  return {};
}

}  // namespace ordelix
