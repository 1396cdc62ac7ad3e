#include "platform/staged_file.h"

#include <windows.h>

#include <cerrno>
#include <random>

#include "handle_read.h"
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

bool in_use(DWORD error) {
  return error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION ||
         error == ERROR_UNABLE_TO_REMOVE_REPLACED || error == ERROR_USER_MAPPED_FILE;
}

// A problem placing the report: the name taken, the report open elsewhere, or else.
Problem place_failure(DWORD error) {
  if (error == ERROR_ALREADY_EXISTS || error == ERROR_FILE_EXISTS)
    return Problem(ProblemKind::target_exists, EEXIST);
  if (in_use(error)) return Problem(ProblemKind::target_in_use, EBUSY);
  return Problem(ProblemKind::cannot_place, errno_of(error));
}

// Through every layer to the disk, as MoveFileExW's write-through does the move.
DWORD move_into_place(const std::wstring& from, const std::wstring& to) {
  return MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_WRITE_THROUGH) ? ERROR_SUCCESS
                                                                       : GetLastError();
}

// ReplaceFileW keeps the replaced file's attributes and permissions. A
// report that vanished meanwhile is moved in; so is the new one when the old
// one is gone but the new one could not take its name, lest the name stay
// empty.
DWORD replace_into_place(const std::wstring& from, const std::wstring& to) {
  if (ReplaceFileW(to.c_str(), from.c_str(), nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr,
                   nullptr))
    return ERROR_SUCCESS;
  DWORD error = GetLastError();
  bool name_free = error == ERROR_FILE_NOT_FOUND || error == ERROR_UNABLE_TO_MOVE_REPLACEMENT;
  return name_free ? move_into_place(from, to) : error;
}

}  // namespace

// Written under a hidden name, shared for deletion so that an interrupt can
// remove it while it is open; the handle is closed before the move.
struct StagedFile::Impl {
  Impl(UniqueHandle h, std::wstring at, std::unique_ptr<RemovalOnInterrupt> guard)
      : handle(std::move(h)), path(std::move(at)), removal(std::move(guard)) {}
  ~Impl() {
    handle.reset();
    if (!placed) DeleteFileW(path.c_str());
  }

  UniqueHandle handle;
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
      return StagedFile(
          std::make_unique<Impl>(std::move(handle), std::move(path), std::move(removal)));
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
  DWORD error = replace ? replace_into_place(impl_->path, to) : move_into_place(impl_->path, to);
  if (error != ERROR_SUCCESS) return place_failure(error);
  impl_->placed = true;
  return {};
}

Result<void> staged_files_sync(std::span<StagedFile* const> files) {
  for (StagedFile* file : files)
    if (Result<void> synced = file->sync(); !synced) return synced;
  return {};
}

}  // namespace ordelix
