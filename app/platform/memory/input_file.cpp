#include "platform/input_file.h"

#include <cerrno>

#include "memory_table.h"

namespace ordelix {

Result<InputFile> input_file_read(const std::string& path, std::size_t max_bytes) {
  MemoryFile file;
  switch (int err = MemoryTable::instance().read(path, max_bytes, file)) {
    case 0:
      return InputFile{std::move(file.bytes), file.created};
    case EISDIR:
      return Problem(ProblemKind::is_folder);
    case EFBIG:
      return Problem(ProblemKind::too_large);
    default:
      return Problem(ProblemKind::cannot_open, err);
  }
}

}  // namespace ordelix
