#include "platform/input_file.h"

#include <windows.h>

#include "file_times.h"
#include "handle_read.h"
#include "unique_handle.h"
#include "windows_errors.h"
#include "windows_paths.h"

namespace ordelix {
namespace {

// Shared for reading, writing and deleting: the instrument's software or an
// editor may hold the file open, and reading it must not stand in their way.
Result<UniqueHandle> open_regular(const std::string& path, DWORD access_hint,
                                  BY_HANDLE_FILE_INFORMATION& info) {
  // A device name opens the device, whatever folder it stands in.
  if (names_device(path)) return Problem(ProblemKind::not_regular);
  std::wstring wide = long_path(path);
  DWORD attributes = GetFileAttributesW(wide.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
    return Problem(ProblemKind::is_folder);
  UniqueHandle file(CreateFileW(wide.c_str(), GENERIC_READ,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, access_hint, nullptr));
  if (!file.valid()) return Problem(ProblemKind::cannot_open, last_errno());
  if (GetFileType(file.get()) != FILE_TYPE_DISK) return Problem(ProblemKind::not_regular);
  if (!GetFileInformationByHandle(file.get(), &info))
    return Problem(ProblemKind::cannot_read, last_errno());
  if (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return Problem(ProblemKind::is_folder);
  return file;
}

std::uint64_t size_of(const BY_HANDLE_FILE_INFORMATION& info) {
  return (static_cast<std::uint64_t>(info.nFileSizeHigh) << 32) | info.nFileSizeLow;
}

// A write between the two looks shows in the size or the time of the last change.
bool unchanged_since(HANDLE file, const BY_HANDLE_FILE_INFORMATION& before) {
  BY_HANDLE_FILE_INFORMATION after{};
  return GetFileInformationByHandle(file, &after) && size_of(after) == size_of(before) &&
         CompareFileTime(&after.ftLastWriteTime, &before.ftLastWriteTime) == 0;
}

}  // namespace

Result<InputFile> input_file_read(const std::string& path, std::size_t max_bytes) {
  BY_HANDLE_FILE_INFORMATION info{};
  Result<UniqueHandle> opened = open_regular(path, FILE_FLAG_SEQUENTIAL_SCAN, info);
  if (!opened) return std::move(opened).error();
  UniqueHandle& file = opened.value();
  if (size_of(info) > max_bytes) return Problem(ProblemKind::too_large);
  InputFile input;
  char buffer[1 << 16];
  for (;;) {
    DWORD n = 0;
    if (!ReadFile(file.get(), buffer, sizeof buffer, &n, nullptr))
      return Problem(ProblemKind::cannot_read, last_errno());
    if (n == 0) break;
    if (input.bytes.size() + n > max_bytes) return Problem(ProblemKind::too_large);
    input.bytes.append(buffer, n);
  }
  if (!unchanged_since(file.get(), info)) return Problem(ProblemKind::changed_while_read);
  input.created = time_of(info.ftCreationTime);
  return input;
}

struct ReadOnlyFile::Impl {
  UniqueHandle handle;
  std::uint64_t size = 0;
};

Result<ReadOnlyFile> ReadOnlyFile::open(const std::string& path) {
  BY_HANDLE_FILE_INFORMATION info{};
  Result<UniqueHandle> opened = open_regular(path, FILE_FLAG_RANDOM_ACCESS, info);
  if (!opened) return std::move(opened).error();
  return ReadOnlyFile(std::make_unique<Impl>(Impl{std::move(opened).value(), size_of(info)}));
}

ReadOnlyFile::ReadOnlyFile(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {}
ReadOnlyFile::ReadOnlyFile(ReadOnlyFile&& other) noexcept = default;
ReadOnlyFile::~ReadOnlyFile() = default;

std::uint64_t ReadOnlyFile::size() const {
  return impl_->size;
}

Result<std::size_t> ReadOnlyFile::read_at(std::uint64_t at, char* buffer, std::size_t size) const {
  return handle_read_at(impl_->handle.get(), at, buffer, size);
}

}  // namespace ordelix
