#include "report_stream.h"

#include <cstdlib>
#include <string>

#include "platform/fd_write.h"
#include "zip/zip_check.h"

namespace ordelix {
namespace {

// Parts too large for memory go where temporary files belong.
std::string temp_folder() {
  const char* env = std::getenv("TMPDIR");
  return env != nullptr && *env != '\0' ? env : "/tmp";
}

}  // namespace

std::optional<Problem> report_stream(std::span<const WorkbookSheet> sheets, int fd,
                                     std::time_t created) {
  ZipBytes zip;
  if (std::optional<Problem> failed = xlsx_write_workbook(sheets, created, temp_folder(), zip))
    return failed;
  if (std::optional<ZipFault> fault = zip_check(zip))
    return Problem(ProblemKind::workbook_damaged, 0, fault->what);
  for (std::string_view block : zip.blocks())
    if (int err = fd_write_all(fd, block); err != 0)
      return Problem(ProblemKind::stdout_failed, 0, {}, err);
  return std::nullopt;
}

}  // namespace ordelix
