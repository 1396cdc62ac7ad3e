// The C runtime here has no streams of the program's own, so a part is a
// temporary file that the system deletes when it is closed, or when the
// process ends however it ends. A failed write to one leaves the stream's
// error mark, which the workbook library checks before zipping the part.

#include "platform/part_streams.h"

#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cerrno>
#include <cstdio>
#include <random>
#include <string>

#include "platform/paths.h"
#include "windows_errors.h"
#include "windows_paths.h"

namespace ordelix {
namespace {

// The C runtime's own 4 KiB would take a large sheet's part to and from its
// file in thousands of system calls; should this much not be had, the
// stream keeps that one.
constexpr std::size_t stream_buffer = 256 * 1024;

}  // namespace

void part_streams_forget() {}

int part_streams_failure() {
  return 0;
}

// In the user's temporary folder whatever `folder` says: on the local disk,
// where the system keeps such files in memory while it can, rather than on
// the share or stick the report goes to.
FILE* part_stream_open(char*) {
  static const std::wstring folder = long_path(temp_folder());
  thread_local std::mt19937_64 random{std::random_device{}()};
  HANDLE file = INVALID_HANDLE_VALUE;
  for (int attempt = 0; attempt < 100 && file == INVALID_HANDLE_VALUE; ++attempt) {
    std::wstring path = long_path_in(folder, L".ordelix-part-" + std::to_wstring(random()));
    file = CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                       FILE_ATTRIBUTE_TEMPORARY | FILE_ATTRIBUTE_HIDDEN | FILE_FLAG_DELETE_ON_CLOSE,
                       nullptr);
    if (file == INVALID_HANDLE_VALUE && GetLastError() != ERROR_FILE_EXISTS) break;
  }
  if (file == INVALID_HANDLE_VALUE) {
    errno = last_errno();
    return nullptr;
  }
  int fd = _open_osfhandle(reinterpret_cast<intptr_t>(file), _O_RDWR | _O_BINARY);
  if (fd == -1) {
    CloseHandle(file);
    return nullptr;
  }
  FILE* stream = _fdopen(fd, "w+b");
  if (stream == nullptr) {
    _close(fd);
    return nullptr;
  }
  std::setvbuf(stream, nullptr, _IOFBF, stream_buffer);
  return stream;
}

}  // namespace ordelix
