#include "platform/folders.h"

#include <windows.h>

#include <algorithm>
#include <cerrno>
#include <memory>

#include "find_data.h"
#include "unique_handle.h"
#include "windows_errors.h"
#include "windows_paths.h"
#include "windows_text.h"

namespace ordelix {
namespace {

EntryKind kind_of(const WIN32_FIND_DATAW& found) {
  bool folder = found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY;
  if (found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)
    return folder ? EntryKind::folder_link : EntryKind::regular;
  return folder ? EntryKind::folder : EntryKind::regular;
}

// The length of the root of a long path: "\\?\C:\", or "\\?\UNC\server\share\".
std::size_t root_length(const std::wstring& path) {
  if (!path.starts_with(L"\\\\?\\UNC\\")) return std::min<std::size_t>(path.size(), 7);
  std::size_t server_end = path.find(L'\\', 8);
  std::size_t share_end =
      server_end == std::wstring::npos ? server_end : path.find(L'\\', server_end + 1);
  return share_end == std::wstring::npos ? path.size() : share_end + 1;
}

}  // namespace

Result<std::vector<FolderEntry>> folder_entries(const std::string& folder) {
  WIN32_FIND_DATAW found{};
  std::wstring pattern = long_path_in(long_path(folder), L"*");
  HANDLE search = FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &found, FindExSearchNameMatch,
                                   nullptr, FIND_FIRST_EX_LARGE_FETCH);
  if (search == INVALID_HANDLE_VALUE) return Problem(ProblemKind::cannot_read_folder, last_errno());
  std::unique_ptr<void, FindCloser> closer(search);
  std::vector<FolderEntry> entries;
  do {
    if (hidden_entry(found)) continue;
    std::string name = utf8_of(found.cFileName);
    EntryKind kind = names_device(name) ? EntryKind::other : kind_of(found);
    entries.push_back({std::move(name), kind});
  } while (FindNextFileW(search, &found));
  if (GetLastError() != ERROR_NO_MORE_FILES)
    return Problem(ProblemKind::cannot_read_folder, last_errno());
  std::sort(entries.begin(), entries.end(),
            [](const FolderEntry& a, const FolderEntry& b) { return a.name < b.name; });
  return entries;
}

// Folder by folder from the root down, so that long paths work as well.
Result<void> folder_make(const std::string& folder) {
  std::wstring whole = long_path(folder);
  for (std::size_t end = root_length(whole); end <= whole.size(); ++end) {
    if (end < whole.size() && whole[end] != L'\\') continue;
    std::wstring made = whole.substr(0, end);
    if (made.back() == L'\\' || CreateDirectoryW(made.c_str(), nullptr)) continue;
    DWORD error = GetLastError();
    DWORD attributes = GetFileAttributesW(made.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) continue;
    return folder_not_created(folder, error == ERROR_ALREADY_EXISTS ? ENOTDIR : errno_of(error));
  }
  return {};
}

// A report gets its name by a move written through to the disk, which
// makes the name last: nothing is left to flush in the folder.
Result<void> folder_sync(const std::string&) {
  return {};
}

}  // namespace ordelix
