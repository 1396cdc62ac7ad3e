#include "report_stream.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <string>

namespace ordelix {
namespace {

int open_unnamed_temp() {
  const char* env = std::getenv("TMPDIR");
  std::string folder = env != nullptr && *env != '\0' ? env : "/tmp";
  int fd = ::open(folder.c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0600);
  if (fd >= 0 || (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL)) return fd;
  std::string name = folder + "/.ordelix-XXXXXX";
  fd = ::mkostemp(name.data(), O_CLOEXEC);
  if (fd >= 0) ::unlink(name.c_str());
  return fd;
}

// Nothing when all of `from` went to `to`, else the failing side's problem.
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
      if (w < 0) return Problem(ProblemKind::cannot_write_output, 0, {}, errno);
      written += w;
    }
  }
}

}  // namespace

std::optional<Problem> report_stream(std::span<const WorkbookSheet> sheets, int fd,
                                     std::time_t created) {
  int temp = open_unnamed_temp();
  if (temp < 0)
    return Problem(ProblemKind::write_failed, 0,
                   std::string("cannot create a temporary file: ") + std::strerror(errno));
  std::string path = "/proc/self/fd/" + std::to_string(temp);
  std::optional<Problem> failed = xlsx_write_workbook(sheets, path, created);
  if (!failed) failed = copy_all(temp, fd);
  ::close(temp);
  return failed;
}

}  // namespace ordelix
