#include "memory_table.h"

#include <algorithm>
#include <cerrno>
#include <filesystem>

namespace ordelix {
namespace {

namespace fs = std::filesystem;

std::string parent_of(const std::string& key) {
  return fs::path(key).parent_path().string();
}

}  // namespace

MemoryTable& MemoryTable::instance() {
  static MemoryTable table;
  return table;
}

MemoryTable::MemoryTable() {
  clear();
}

std::string MemoryTable::identity(const std::string& path) {
  std::string key = (fs::path("/") / fs::path(path)).lexically_normal().string();
  // A trailing separator names the folder itself.
  while (key.size() > 1 && key.back() == '/') key.pop_back();
  return key;
}

PathKind MemoryTable::kind_of(const std::string& key) const {
  if (files_.contains(key)) return PathKind::regular;
  return folders_.contains(key) ? PathKind::folder : PathKind::none;
}

PathKind MemoryTable::kind(const std::string& path) const {
  std::lock_guard lock(mutex_);
  return kind_of(identity(path));
}

int MemoryTable::read(const std::string& path, std::size_t max_bytes, MemoryFile& into) const {
  std::lock_guard lock(mutex_);
  std::string key = identity(path);
  auto it = files_.find(key);
  if (it == files_.end()) return folders_.contains(key) ? EISDIR : ENOENT;
  if (it->second.bytes.size() > max_bytes) return EFBIG;
  into = it->second;
  return 0;
}

int MemoryTable::entries(const std::string& folder, std::vector<FolderEntry>& found) const {
  std::lock_guard lock(mutex_);
  std::string key = identity(folder);
  if (PathKind kind = kind_of(key); kind != PathKind::folder)
    return kind == PathKind::none ? ENOENT : ENOTDIR;
  auto take = [&](const std::string& entry, EntryKind kind) {
    std::string name = fs::path(entry).filename().string();
    if (entry != key && parent_of(entry) == key && name.front() != '.')
      found.push_back({std::move(name), kind});
  };
  for (const auto& [entry, file] : files_) take(entry, EntryKind::regular);
  for (const std::string& entry : folders_) take(entry, EntryKind::folder);
  std::sort(found.begin(), found.end(),
            [](const FolderEntry& a, const FolderEntry& b) { return a.name < b.name; });
  return 0;
}

int MemoryTable::put(const std::string& path, MemoryFile& file, bool replace) {
  std::lock_guard lock(mutex_);
  std::string key = identity(path);
  if (PathKind folder = kind_of(parent_of(key)); folder != PathKind::folder)
    return folder == PathKind::none ? ENOENT : ENOTDIR;
  switch (kind_of(key)) {
    case PathKind::folder:
      return EISDIR;
    case PathKind::regular:
      if (!replace) return EEXIST;
      break;
    case PathKind::none:
    case PathKind::other:
      break;
  }
  files_[key] = std::move(file);
  return 0;
}

std::optional<MemoryFile> MemoryTable::take(const std::string& path) {
  std::lock_guard lock(mutex_);
  auto it = files_.find(identity(path));
  if (it == files_.end()) return std::nullopt;
  MemoryFile file = std::move(it->second);
  files_.erase(it);
  return file;
}

int MemoryTable::make_folder(const std::string& folder) {
  std::lock_guard lock(mutex_);
  std::vector<std::string> missing;
  for (std::string key = identity(folder); !folders_.contains(key); key = parent_of(key)) {
    if (files_.contains(key)) return ENOTDIR;
    missing.push_back(key);
  }
  folders_.insert(missing.begin(), missing.end());
  return 0;
}

void MemoryTable::clear() {
  std::lock_guard lock(mutex_);
  files_.clear();
  folders_ = {"/", memory_temp_folder};
}

}  // namespace ordelix
