#include "report_flush.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <set>

namespace ordelix {
namespace {

std::optional<Problem> sync_failure(int err) {
  return Problem(ProblemKind::sync_failed, 0, {}, err);
}

}  // namespace

std::optional<Problem> reports_flush(std::span<PendingReport* const> reports) {
  if (reports.size() == 1 && ::fsync(reports.front()->fd()) != 0) return sync_failure(errno);
  if (reports.size() == 1) return std::nullopt;
  std::set<dev_t> flushed;
  for (const PendingReport* report : reports) {
    struct stat st {};
    if (::fstat(report->fd(), &st) != 0) return sync_failure(errno);
    if (flushed.insert(st.st_dev).second && ::syncfs(report->fd()) != 0) return sync_failure(errno);
  }
  return std::nullopt;
}

std::optional<Problem> report_folders_flush(std::span<const std::string> targets) {
  std::set<std::filesystem::path> folders;
  for (const std::string& target : targets) {
    std::filesystem::path folder = std::filesystem::path(target).parent_path();
    if (folders.insert(folder).second)
      if (std::optional<Problem> failed = report_sync_folder(target)) return failed;
  }
  return std::nullopt;
}

}  // namespace ordelix
