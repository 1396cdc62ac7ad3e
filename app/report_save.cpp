#include "report_save.h"

#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>

#include "xlsx_writer.h"

namespace ordelix {
namespace {

namespace fs = std::filesystem;

Problem failure(ProblemKind kind, int sys_errno = 0, std::string detail = {}) {
  return Problem(kind, 0, std::move(detail), sys_errno);
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

std::optional<Problem> report_save(const ReportSheet& sheet, const std::string& target,
                                   const SaveOptions& options) {
  WorkbookSheet only{&sheet, {}};
  return report_save_workbook({&only, 1}, target, options);
}

std::optional<Problem> report_save_workbook(std::span<const WorkbookSheet> sheets,
                                            const std::string& target, const SaveOptions& options) {
  std::variant<WrittenReport, Problem> written = report_write(sheets, target, options);
  if (auto* failed = std::get_if<Problem>(&written)) return *failed;
  const WrittenReport& report = std::get<WrittenReport>(written);
  int fd = ::open(report.temp.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd >= 0) {
    ::fsync(fd);
    ::close(fd);
  }
  return report_place(report);
}

std::variant<WrittenReport, Problem> report_write(std::span<const WorkbookSheet> sheets,
                                                  const std::string& target,
                                                  const SaveOptions& options) {
  if (!options.input_path.empty() &&
      (same_file(target, options.input_path) || target == options.input_path))
    return failure(ProblemKind::target_is_input);
  std::error_code ec;
  if (fs::is_directory(target, ec)) return failure(ProblemKind::target_is_folder);
  if (!options.replace_existing && fs::exists(fs::symlink_status(target, ec)))
    return failure(ProblemKind::target_exists);

  fs::path folder = fs::path(target).parent_path();
  if (folder.empty()) folder = ".";
  std::string temp = (folder / ".ordelix-XXXXXX").string();
  int fd = ::mkstemp(temp.data());
  if (fd < 0) return failure(ProblemKind::cannot_create, errno);
  ::fchmod(fd, default_file_mode());
  ::close(fd);

  if (std::optional<Problem> written = xlsx_write_workbook(sheets, temp, options.created)) {
    ::unlink(temp.c_str());
    return *written;
  }
  return WrittenReport{temp, target, options.replace_existing};
}

std::optional<Problem> report_place(const WrittenReport& written) {
  if (int err = place_file(written.temp, written.target, written.replace_existing); err != 0) {
    report_discard(written);
    return failure(err == EEXIST ? ProblemKind::target_exists : ProblemKind::cannot_place, err);
  }
  return std::nullopt;
}

void report_discard(const WrittenReport& written) {
  ::unlink(written.temp.c_str());
}

}  // namespace ordelix
