#include "memory_files.h"

#include "memory_table.h"

namespace ordelix {

Result<void> memory_file_put(const std::string& path, std::string bytes, std::time_t created) {
  MemoryTable& table = MemoryTable::instance();
  std::string folder = path_folder(MemoryTable::identity(path));
  if (int err = table.make_folder(folder); err != 0) return folder_not_created(folder, err);
  MemoryFile file{std::move(bytes), created};
  if (int err = table.put(path, file, true); err != 0)
    return Problem(ProblemKind::cannot_create, err);
  return {};
}

std::optional<std::string> memory_file_take(const std::string& path) {
  std::optional<MemoryFile> file = MemoryTable::instance().take(path);
  if (!file) return std::nullopt;
  return std::move(file->bytes);
}

void memory_files_clear() {
  MemoryTable::instance().clear();
}

}  // namespace ordelix
