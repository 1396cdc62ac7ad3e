#include "platform/folder_changes.h"

#include <windows.h>

#include <algorithm>

#include "platform/console.h"
#include "platform/paths.h"
#include "stop_event.h"
#include "unique_handle.h"
#include "windows_errors.h"
#include "windows_paths.h"
#include "windows_text.h"

namespace ordelix {
namespace {

constexpr DWORD watched_changes = FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_DIR_NAME |
                                  FILE_NOTIFY_CHANGE_SIZE | FILE_NOTIFY_CHANGE_LAST_WRITE;
// Shares take no larger buffer; a folder that outruns it gets a rescan.
constexpr std::size_t buffer_bytes = 64 * 1024;
// One wait takes this many handles, the stop among them.
constexpr std::size_t most_folders = MAXIMUM_WAIT_OBJECTS - 1;

struct WatchedFolder {
  std::string folder;
  bool subtree = false;
  UniqueHandle handle;
  UniqueHandle event{CreateEventW(nullptr, TRUE, FALSE, nullptr)};
  OVERLAPPED overlapped{};
  std::vector<DWORD> buffer = std::vector<DWORD>(buffer_bytes / sizeof(DWORD));

  bool listen() {
    ResetEvent(event.get());
    overlapped = OVERLAPPED{};
    overlapped.hEvent = event.get();
    return ReadDirectoryChangesW(handle.get(), buffer.data(), buffer_bytes, subtree,
                                 watched_changes, nullptr, &overlapped, nullptr);
  }
};

bool below(const std::string& folder, const WatchedFolder& watched) {
  std::string prefix = path_join(watched.folder, "x");
  prefix.pop_back();
  return folder == watched.folder || (watched.subtree && folder.rfind(prefix, 0) == 0);
}

class DirectoryChanges final : public FolderChanges {
 public:
  Result<void> watch(const std::string& folder, bool with_subfolders) override {
    for (const auto& watched : folders_)
      if (below(folder, *watched)) return {};
    if (folders_.size() == most_folders) return Problem(ProblemKind::cannot_watch_folder, EMFILE);
    auto watched = std::make_unique<WatchedFolder>();
    watched->folder = folder;
    watched->subtree = with_subfolders;
    watched->handle.reset(CreateFileW(long_path(folder).c_str(), FILE_LIST_DIRECTORY,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING,
                                      FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OVERLAPPED, nullptr));
    if (!watched->handle.valid() || !watched->listen())
      return Problem(ProblemKind::cannot_watch_folder, last_errno());
    folders_.push_back(std::move(watched));
    return {};
  }

  std::vector<FolderChange> wait(std::chrono::milliseconds timeout) override {
    std::vector<FolderChange> changes;
    std::vector<HANDLE> handles{stop_event()};
    for (const auto& watched : folders_) handles.push_back(watched->event.get());
    DWORD ms = static_cast<DWORD>(std::clamp<long long>(timeout.count(), 0, INFINITE - 1));
    for (DWORD wait_ms = ms;; wait_ms = 0) {
      if (console_stop_flag().load()) return {};
      DWORD woke = WaitForMultipleObjects(static_cast<DWORD>(handles.size()), handles.data(), FALSE,
                                          wait_ms);
      if (woke == WAIT_OBJECT_0 || woke >= WAIT_OBJECT_0 + handles.size()) break;
      std::size_t index = woke - WAIT_OBJECT_0 - 1;
      if (!take(*folders_[index], changes)) {
        // The folder is gone, or no longer answers: a rescan watches it anew.
        folders_.erase(folders_.begin() + static_cast<std::ptrdiff_t>(index));
        handles.erase(handles.begin() + static_cast<std::ptrdiff_t>(index) + 1);
        changes.push_back({FolderChange::Kind::rescan, {}});
      }
    }
    return changes;
  }

 private:
  // What the folder's finished read holds; false when it cannot listen on.
  static bool take(WatchedFolder& watched, std::vector<FolderChange>& changes) {
    DWORD bytes = 0;
    if (!GetOverlappedResult(watched.handle.get(), &watched.overlapped, &bytes, FALSE))
      return false;
    if (bytes == 0) changes.push_back({FolderChange::Kind::rescan, {}});
    const char* at = reinterpret_cast<const char*>(watched.buffer.data());
    for (DWORD offset = 0; bytes > 0;) {
      const auto* info = reinterpret_cast<const FILE_NOTIFY_INFORMATION*>(at + offset);
      std::wstring_view name(info->FileName, info->FileNameLength / sizeof(wchar_t));
      changes.push_back({FolderChange::Kind::entry, path_join(watched.folder, utf8_of(name))});
      if (info->NextEntryOffset == 0) break;
      offset += info->NextEntryOffset;
    }
    return watched.listen();
  }

  std::vector<std::unique_ptr<WatchedFolder>> folders_;
};

}  // namespace

Result<std::unique_ptr<FolderChanges>> folder_changes_open() {
  return std::unique_ptr<FolderChanges>(std::make_unique<DirectoryChanges>());
}

}  // namespace ordelix
