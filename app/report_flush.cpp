#include "report_flush.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <set>

namespace ordelix {
namespace {

namespace fs = std::filesystem;

std::string folder_of(const std::string& file) {
  fs::path folder = fs::path(file).parent_path();
  return folder.empty() ? "." : folder.string();
}

// Opens `path` and applies `flush` to it; the system's reason on failure, else 0.
int flush_through(const std::string& path, int (*flush)(int)) {
  int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return errno;
  int err = flush(fd) == 0 ? 0 : errno;
  ::close(fd);
  return err;
}

std::optional<Problem> failed(int err) {
  if (err == 0) return std::nullopt;
  return Problem(ProblemKind::cannot_flush, 0, {}, err);
}

}  // namespace

std::optional<Problem> reports_flush(const std::vector<std::string>& files) {
  if (files.size() == 1) return failed(flush_through(files.front(), ::fsync));
  std::set<dev_t> flushed;
  for (const std::string& file : files) {
    struct stat st {};
    if (::stat(file.c_str(), &st) != 0) return failed(errno);
    if (!flushed.insert(st.st_dev).second) continue;
    if (int err = flush_through(folder_of(file), ::syncfs)) return failed(err);
  }
  return std::nullopt;
}

std::optional<Problem> report_folders_flush(const std::vector<std::string>& files) {
  std::set<std::string> folders;
  for (const std::string& file : files) folders.insert(folder_of(file));
  for (const std::string& folder : folders)
    if (int err = flush_through(folder, ::fsync)) return failed(err);
  return std::nullopt;
}

}  // namespace ordelix
