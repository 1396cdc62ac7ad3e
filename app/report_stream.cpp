#include "report_stream.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <string>

#include "staged_file.h"
#include "zip_check.h"

namespace ordelix {
namespace {

std::string temp_folder() {
  const char* env = std::getenv("TMPDIR");
  return env != nullptr && *env != '\0' ? env : "/tmp";
}

// Nothing when all of `from` went to `to`, else the failing side's problem.
// Not sendfile, as a save copies: it refuses an output opened to append (>>).
std::optional<Problem> copy_all(int from, int to) {
  char buffer[1 << 16];
  for (;;) {
    ssize_t n = ::read(from, buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return Problem(ProblemKind::write_failed, 0, std::strerror(errno));
    if (n == 0) return std::nullopt;
    for (ssize_t written = 0; written < n;) {
      ssize_t w = ::write(to, buffer + written, static_cast<std::size_t>(n - written));
      if (w < 0 && errno == EINTR) continue;
      if (w < 0) return Problem(ProblemKind::stdout_failed, 0, {}, errno);
      written += w;
    }
  }
}

}  // namespace

std::optional<Problem> report_stream(std::span<const WorkbookSheet> sheets, int fd,
                                     std::time_t created) {
  std::string folder = temp_folder();
  std::variant<StagedFile, int> staged = StagedFile::create(folder);
  if (const int* err = std::get_if<int>(&staged))
    return Problem(ProblemKind::write_failed, 0,
                   std::string("cannot create a temporary file: ") + std::strerror(*err));
  const StagedFile& temp = std::get<StagedFile>(staged);
  if (std::optional<Problem> failed = xlsx_write_workbook(sheets, temp.path(), created, folder))
    return failed;
  if (std::optional<ZipFault> fault = zip_check(temp.path()))
    return Problem(ProblemKind::workbook_damaged, 0, fault->what);
  return copy_all(temp.fd(), fd);
}

}  // namespace ordelix
