#include "platform/file_stamp.h"

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <limits>

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
  // 100 ns since 1601, which reach further than nanoseconds since 1970 do:
  // a time beyond those counts as the nearest they hold.
  std::uint64_t ticks = (std::uint64_t{data.ftLastWriteTime.dwHighDateTime} << 32) |
                        data.ftLastWriteTime.dwLowDateTime;
  constexpr std::int64_t most = std::numeric_limits<std::int64_t>::max() / 100;
  std::int64_t since_1970 =
      static_cast<std::int64_t>(std::min<std::uint64_t>(ticks, most + file_time_of_1970)) -
      file_time_of_1970;
  return FileStamp{(static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow,
                   std::max(since_1970, -most) * 100};
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
