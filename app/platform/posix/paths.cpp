#include "platform/paths.h"

#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>

namespace ordelix {

namespace fs = std::filesystem;

std::string temp_folder() {
  const char* env = std::getenv("TMPDIR");
  return env != nullptr && *env != '\0' ? env : "/tmp";
}

bool paths_same_file(const std::string& a, const std::string& b) {
  std::error_code ec;
  return fs::equivalent(a, b, ec);
}

PathKind path_kind(const std::string& path) {
  struct stat st {};
  if (::lstat(path.c_str(), &st) != 0) return PathKind::none;
  if (S_ISDIR(st.st_mode)) return PathKind::folder;
  if (S_ISREG(st.st_mode)) return PathKind::regular;
  return PathKind::other;
}

bool is_folder(const std::string& path) {
  std::error_code ec;
  return fs::is_directory(path, ec);
}

}  // namespace ordelix
