#include "platform/paths.h"

#include "memory_table.h"

namespace ordelix {

std::vector<std::string> path_identities(const std::vector<std::string>& paths) {
  std::vector<std::string> identities;
  for (const std::string& path : paths) identities.push_back(MemoryTable::identity(path));
  return identities;
}

bool paths_same_file(const std::string& a, const std::string& b) {
  return MemoryTable::instance().kind(a) == PathKind::regular &&
         MemoryTable::identity(a) == MemoryTable::identity(b);
}

std::string temp_folder() {
  return memory_temp_folder;
}

PathKind path_kind(const std::string& path) {
  return MemoryTable::instance().kind(path);
}

bool is_folder(const std::string& path) {
  return path_kind(path) == PathKind::folder;
}

}  // namespace ordelix
