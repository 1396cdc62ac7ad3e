// Paths spelled with "/" and read by their names alone: POSIX's, and those of
// the memory platform's table.

#include "platform/paths.h"

#include <filesystem>

namespace ordelix {

namespace fs = std::filesystem;

std::string path_join(std::string_view folder, std::string_view name) {
  return (fs::path(folder) / fs::path(name)).string();
}

std::string path_file_name(std::string_view path) {
  return fs::path(path).filename().string();
}

std::string path_folder(std::string_view path) {
  std::string folder = fs::path(path).parent_path().string();
  return folder.empty() ? "." : folder;
}

std::string path_with_extension(std::string_view path, std::string_view extension) {
  return fs::path(path).replace_extension(fs::path(extension)).string();
}

}  // namespace ordelix
