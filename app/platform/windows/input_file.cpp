#include "platform/input_file.h"

#include <windows.h>

#include "file_times.h"
#include "unique_handle.h"
#include "windows_errors.h"
#include "windows_paths.h"

namespace ordelix {

// Shared for reading, writing and deleting: the instrument's software or an
// editor may hold the file open, and reading it must not stand in their way.
Result<InputFile> input_file_read(const std::string& path, std::size_t max_bytes) {
  // A device name opens the device, whatever folder it stands in.
  if (names_device(path)) return Problem(ProblemKind::not_regular);
  std::wstring wide = long_path(path);
  DWORD attributes = GetFileAttributesW(wide.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
    return Problem(ProblemKind::is_folder);
  UniqueHandle file(CreateFileW(wide.c_str(), GENERIC_READ,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
  if (!file.valid()) return Problem(ProblemKind::cannot_open, last_errno());
  if (GetFileType(file.get()) != FILE_TYPE_DISK) return Problem(ProblemKind::not_regular);
  BY_HANDLE_FILE_INFORMATION info{};
  if (!GetFileInformationByHandle(file.get(), &info))
    return Problem(ProblemKind::cannot_read, last_errno());
  if (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return Problem(ProblemKind::is_folder);
  unsigned long long size =
      (static_cast<unsigned long long>(info.nFileSizeHigh) << 32) | info.nFileSizeLow;
  if (size > max_bytes) return Problem(ProblemKind::too_large);
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
  input.created = time_of(info.ftCreationTime);
  return input;
}

}  // namespace ordelix
