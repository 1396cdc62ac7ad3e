#include "platform/staged_file.h"

#include <windows.h>

#include <cerrno>
#include <random>

#include "handle_read.h"
#include "place_failure.h"
#include "removal_on_interrupt.h"
#include "unique_handle.h"
#include "windows_errors.h"
#include "windows_paths.h"
#include "windows_text.h"

namespace ordelix {
namespace {

constexpr int name_attempts = 100;

std::wstring hidden_name(const std::wstring& folder) {
  static constexpr char letters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
  thread_local std::mt19937 random{std::random_device{}()};
  std::uniform_int_distribution<std::size_t> pick(0, sizeof letters - 2);
  std::wstring name = L".ordelix-";
  for (int i = 0; i < 6; ++i) name += static_cast<wchar_t>(letters[pick(random)]);
  return long_path_in(folder, name);
}

// Through every layer to the disk, as MoveFileExW's write-through does the move.
DWORD move_into_place(const std::wstring& from, const std::wstring& to) {
  return MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_WRITE_THROUGH) ? ERROR_SUCCESS
                                                                       : GetLastError();
}

// A name for the old report while the new one takes its place: one nothing
// holds, as ReplaceFileW would write over a file there. Empty when none is found.
std::wstring free_backup_name(const std::wstring& folder) {
  for (int attempt = 0; attempt < name_attempts; ++attempt) {
    std::wstring name = hidden_name(folder);
    if (GetFileAttributesW(name.c_str()) == INVALID_FILE_ATTRIBUTES &&
        GetLastError() == ERROR_FILE_NOT_FOUND)
      return name;
  }
  return {};
}

// ReplaceFileW keeps the replaced report's attributes and permissions. It
// moves the old report aside before the new one takes its name; without a
// backup name, a failure between the two would leave the old one under a
// name of the system's choosing, so it gets one of ours. An interrupt waits
// for the step to end, so that it never finds the old report moved aside.
DWORD replace_into_place(const std::wstring& from, const std::wstring& to,
                         const std::wstring& backup) {
  UninterruptedStep step;
  if (ReplaceFileW(to.c_str(), from.c_str(), backup.c_str(), REPLACEFILE_IGNORE_MERGE_ERRORS,
                   nullptr, nullptr)) {
    DeleteFileW(backup.c_str());
    return ERROR_SUCCESS;
  }
  DWORD error = GetLastError();
  switch (replace_failure_state(error)) {
    case ReplaceFailureState::unchanged: {
      // Should a file stand at the backup name all the same, it is the old
      // report where the name is free, and a copy of it where it is not.
      DWORD restored = move_into_place(backup, to);
      if (restored == ERROR_ALREADY_EXISTS || restored == ERROR_FILE_EXISTS)
        DeleteFileW(backup.c_str());
      return error;
    }
    case ReplaceFailureState::name_free:
      return move_into_place(from, to);
    case ReplaceFailureState::old_report_at_backup:
      break;
  }
  DWORD moved = move_into_place(from, to);
  // Should the old report not go back either, it stays under the backup name.
  if (moved == ERROR_SUCCESS)
    DeleteFileW(backup.c_str());
  else
    move_into_place(backup, to);
  return moved;
}

// ReplaceFileW's renames are not written through: the report, flushed under
// its name, takes them to the disk with it.
Result<void> placed_flush(const std::wstring& path) {
  UniqueHandle placed(CreateFileW(path.c_str(), GENERIC_WRITE,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!placed.valid() || !FlushFileBuffers(placed.get()))
    return Problem(ProblemKind::sync_failed, last_errno());
  return {};
}

}  // namespace

// Written under a hidden name, shared for deletion so that an interrupt can
// remove it while it is open; the handle is closed before the move.
struct StagedFile::Impl {
  Impl(UniqueHandle h, std::wstring in, std::wstring at, std::unique_ptr<RemovalOnInterrupt> guard)
      : handle(std::move(h)),
        folder(std::move(in)),
        path(std::move(at)),
        removal(std::move(guard)) {}
  ~Impl() {
    handle.reset();
    if (!placed) DeleteFileW(path.c_str());
  }

  UniqueHandle handle;
  std::wstring folder;
  std::wstring path;
  std::unique_ptr<RemovalOnInterrupt> removal;
  bool placed = false;
};

Result<StagedFile> StagedFile::create(const std::string& folder, Naming) {
  std::wstring wide_folder = long_path(folder);
  for (int attempt = 0; attempt < name_attempts; ++attempt) {
    std::wstring path = hidden_name(wide_folder);
    auto removal = std::make_unique<RemovalOnInterrupt>(path);
    UniqueHandle handle(CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE | DELETE,
                                    FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr, CREATE_NEW,
                                    FILE_ATTRIBUTE_HIDDEN, nullptr));
    if (handle.valid())
      return StagedFile(std::make_unique<Impl>(std::move(handle), wide_folder, std::move(path),
                                               std::move(removal)));
    DWORD error = GetLastError();
    if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS)
      return Problem(ProblemKind::cannot_create, errno_of(error));
  }
  return Problem(ProblemKind::cannot_create, EEXIST);
}

StagedFile::StagedFile(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {}
StagedFile::StagedFile(StagedFile&& other) noexcept = default;
StagedFile::~StagedFile() = default;

bool StagedFile::named() const {
  return true;
}

Result<void> StagedFile::write_at(std::uint64_t at, std::string_view bytes) {
  while (!bytes.empty()) {
    OVERLAPPED where{};
    where.Offset = static_cast<DWORD>(at);
    where.OffsetHigh = static_cast<DWORD>(at >> 32);
    DWORD chunk = bytes.size() > (1u << 30) ? (1u << 30) : static_cast<DWORD>(bytes.size());
    DWORD written = 0;
    if (!WriteFile(impl_->handle.get(), bytes.data(), chunk, &written, &where))
      return Problem(ProblemKind::write_failed, last_errno());
    bytes.remove_prefix(written);
    at += written;
  }
  return {};
}

Result<std::size_t> StagedFile::read_at(std::uint64_t at, char* buffer, std::size_t size) const {
  return handle_read_at(impl_->handle.get(), at, buffer, size);
}

Result<void> StagedFile::sync() {
  if (!FlushFileBuffers(impl_->handle.get()))
    return Problem(ProblemKind::sync_failed, last_errno());
  return {};
}

Result<void> StagedFile::place(const std::string& target, bool replace) {
  // Not hidden once it is the report.
  FILE_BASIC_INFO basic{};
  basic.FileAttributes = FILE_ATTRIBUTE_NORMAL;
  if (!SetFileInformationByHandle(impl_->handle.get(), FileBasicInfo, &basic, sizeof basic))
    return Problem(ProblemKind::cannot_place, last_errno());
  impl_->handle.reset();
  std::wstring to = long_path(target);
  if (!replace) {
    if (DWORD error = move_into_place(impl_->path, to); error != ERROR_SUCCESS)
      return place_failure_problem(error);
    impl_->placed = true;
    return {};
  }
  std::wstring backup = free_backup_name(impl_->folder);
  if (backup.empty()) return Problem(ProblemKind::cannot_place, EEXIST);
  if (DWORD error = replace_into_place(impl_->path, to, backup); error != ERROR_SUCCESS)
    return place_failure_problem(error);
  impl_->placed = true;
  return placed_flush(to);
}

Result<void> staged_files_sync(std::span<StagedFile* const> files) {
  for (StagedFile* file : files)
    if (Result<void> synced = file->sync(); !synced) return synced;
  return {};
}

}  // namespace ordelix
