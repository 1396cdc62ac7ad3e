#include "report_save.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

#include "platform/fd_write.h"
#include "platform/unique_fd.h"
#include "xlsx/xlsx_writer.h"
#include "zip/zip_check.h"

namespace ordelix {
namespace {

namespace fs = std::filesystem;

Problem failure(ProblemKind kind, int sys_errno = 0, std::string detail = {}) {
  return Problem(kind, 0, std::move(detail), sys_errno);
}

Problem write_failure(int sys_errno) {
  return failure(ProblemKind::write_failed, sys_errno, std::strerror(sys_errno));
}

bool same_file(const std::string& a, const std::string& b) {
  std::error_code ec;
  return fs::equivalent(a, b, ec);
}

std::string folder_of(const std::string& target) {
  std::string folder = fs::path(target).parent_path().string();
  return folder.empty() ? "." : folder;
}

// What stands at the target may be replaced: nothing, or with consent a regular file.
std::optional<Problem> target_check(const std::string& target, bool replace) {
  struct stat st {};
  if (::lstat(target.c_str(), &st) != 0) return std::nullopt;
  if (S_ISDIR(st.st_mode)) return failure(ProblemKind::target_is_folder);
  if (!S_ISREG(st.st_mode)) return failure(ProblemKind::target_not_regular);
  if (!replace) return failure(ProblemKind::target_exists);
  return std::nullopt;
}

// Checked in memory before a byte of it reaches the folder.
std::optional<Problem> workbook_into(const StagedFile& file, std::span<const WorkbookSheet> sheets,
                                     std::time_t created, const std::string& folder) {
  ZipBytes zip;
  if (std::optional<Problem> failed = xlsx_write_workbook(sheets, created, folder, zip))
    return failed;
  if (std::optional<ZipFault> fault = zip_check(zip))
    return failure(ProblemKind::workbook_damaged, 0, fault->what);
  for (std::string_view block : zip.blocks())
    if (int err = fd_write_all(file.fd(), block); err != 0) return write_failure(err);
  return std::nullopt;
}

}  // namespace

std::variant<PendingReport, Problem> report_write(std::span<const WorkbookSheet> sheets,
                                                  const std::string& target,
                                                  const SaveOptions& options, WriteSync sync) {
  if (!options.input_path.empty() &&
      (same_file(target, options.input_path) || target == options.input_path))
    return failure(ProblemKind::target_is_input);
  if (std::optional<Problem> taken = target_check(target, options.replace_existing)) return *taken;

  std::string folder = folder_of(target);
  std::variant<StagedFile, int> created = StagedFile::create(folder);
  if (const int* err = std::get_if<int>(&created)) return failure(ProblemKind::cannot_create, *err);
  StagedFile& file = std::get<StagedFile>(created);

  if (std::optional<Problem> failed = workbook_into(file, sheets, options.created, folder))
    return *failed;
  if (sync == WriteSync::synced && ::fsync(file.fd()) != 0)
    return failure(ProblemKind::sync_failed, errno);
  return PendingReport(std::move(file), target, options.replace_existing);
}

std::optional<Problem> PendingReport::place() {
  if (std::optional<Problem> taken = target_check(target_, replace_)) return taken;
  if (int err = file_.place(target_, replace_); err != 0)
    return failure(err == EEXIST ? ProblemKind::target_exists : ProblemKind::cannot_place, err);
  return std::nullopt;
}

std::optional<Problem> report_sync_folder(const std::string& target) {
  UniqueFd folder(::open(folder_of(target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (folder.get() < 0) return failure(ProblemKind::sync_failed, errno);
  // EINVAL: a folder that cannot be synced, as on some network file systems.
  if (::fsync(folder.get()) != 0 && errno != EINVAL)
    return failure(ProblemKind::sync_failed, errno);
  return std::nullopt;
}

std::optional<Problem> report_save_workbook(std::span<const WorkbookSheet> sheets,
                                            const std::string& target, const SaveOptions& options) {
  std::variant<PendingReport, Problem> written = report_write(sheets, target, options);
  if (Problem* failed = std::get_if<Problem>(&written)) return std::move(*failed);
  if (std::optional<Problem> failed = std::get<PendingReport>(written).place()) return failed;
  return report_sync_folder(target);
}

std::optional<Problem> report_save(const ReportSheet& sheet, const std::string& target,
                                   const SaveOptions& options) {
  WorkbookSheet only{&sheet, {}};
  return report_save_workbook({&only, 1}, target, options);
}

}  // namespace ordelix
