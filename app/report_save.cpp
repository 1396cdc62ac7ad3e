#include "report_save.h"

#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

#include "xlsx_writer.h"

namespace ordelix {
namespace {

namespace fs = std::filesystem;

SaveResult failure(SaveError error, int sys_errno = 0, std::string detail = {}) {
  return {error, sys_errno, std::move(detail)};
}

bool same_file(const std::string& a, const std::string& b) {
  std::error_code ec;
  return fs::equivalent(a, b, ec);
}

mode_t default_file_mode() {
  mode_t mask = ::umask(0);
  ::umask(mask);
  return 0666 & ~mask;
}

// Moves `temp` to `target`; without `replace` an existing target is kept.
int place_file(const std::string& temp, const std::string& target, bool replace) {
  if (replace) return ::rename(temp.c_str(), target.c_str()) == 0 ? 0 : errno;
  if (::renameat2(AT_FDCWD, temp.c_str(), AT_FDCWD, target.c_str(), RENAME_NOREPLACE) == 0)
    return 0;
  if (errno != EINVAL && errno != ENOSYS) return errno;
  // File systems without no-replace renames: a hard link fails on an existing name too.
  if (::link(temp.c_str(), target.c_str()) != 0) return errno;
  ::unlink(temp.c_str());
  return 0;
}

}  // namespace

SaveResult report_save(const ReportSheet& sheet, const std::string& target,
                       const SaveOptions& options) {
  if (!options.input_path.empty() &&
      (same_file(target, options.input_path) || target == options.input_path))
    return failure(SaveError::target_is_input);
  std::error_code ec;
  if (!options.replace_existing && fs::exists(fs::symlink_status(target, ec)))
    return failure(SaveError::target_exists);

  fs::path folder = fs::path(target).parent_path();
  if (folder.empty()) folder = ".";
  std::string temp = (folder / ".ordelix-XXXXXX").string();
  int fd = ::mkstemp(temp.data());
  if (fd < 0) return failure(SaveError::cannot_create, errno);
  ::fchmod(fd, default_file_mode());
  ::close(fd);

  std::string written = xlsx_write_report(sheet, temp, options.created);
  if (!written.empty()) {
    ::unlink(temp.c_str());
    return failure(SaveError::write_failed, 0, written);
  }
  fd = ::open(temp.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd >= 0) {
    ::fsync(fd);
    ::close(fd);
  }
  if (int err = place_file(temp, target, options.replace_existing); err != 0) {
    ::unlink(temp.c_str());
    return failure(err == EEXIST ? SaveError::target_exists : SaveError::cannot_place, err);
  }
  return {};
}

std::string save_error_text(const SaveResult& result) {
  switch (result.error) {
    case SaveError::none:
      return "saved";
    case SaveError::target_exists:
      return "the report file already exists";
    case SaveError::target_is_input:
      return "the report would replace the export file itself";
    case SaveError::cannot_create:
      return std::string("cannot create a file in the report's folder: ") +
             std::strerror(result.sys_errno);
    case SaveError::write_failed:
      return "writing the workbook failed: " + result.detail;
    case SaveError::cannot_place:
      return std::string("cannot move the finished report into place: ") +
             std::strerror(result.sys_errno);
  }
  return "unknown error";
}

}  // namespace ordelix
