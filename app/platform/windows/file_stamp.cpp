#include "platform/file_stamp.h"

#include <windows.h>

#include "file_times.h"
#include "unique_handle.h"
#include "windows_paths.h"

namespace ordelix {

std::optional<FileStamp> file_stamp(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (names_device(path) ||
      !GetFileAttributesExW(long_path(path).c_str(), GetFileExInfoStandard, &data) ||
      (data.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)))
    return std::nullopt;
  long long ticks = (static_cast<long long>(data.ftLastWriteTime.dwHighDateTime) << 32) |
                    data.ftLastWriteTime.dwLowDateTime;
  return FileStamp{(static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow,
                   (ticks - file_time_of_1970) * 100};
}

// A writer that lets others read but not write, as programs saving a file
// do, keeps an open that shares no writing out.
bool file_open_for_writing(const std::string& path) {
  UniqueHandle file(CreateFileW(long_path(path).c_str(), GENERIC_READ,
                                FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
  return !file.valid() && GetLastError() == ERROR_SHARING_VIOLATION;
}

}  // namespace ordelix
