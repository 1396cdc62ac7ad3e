#include "platform/file_stamp.h"

#include <sys/stat.h>

#include <algorithm>
#include <limits>

namespace ordelix {
namespace {

// Nanoseconds since 1970 reach from 1677 into 2262; a file's time may be
// anything, and one beyond counts as the last whole second they hold.
std::int64_t nanoseconds_since_1970(const timespec& t) {
  constexpr std::int64_t per_second = 1'000'000'000;
  constexpr std::int64_t most = std::numeric_limits<std::int64_t>::max() / per_second - 1;
  return std::clamp<std::int64_t>(t.tv_sec, -most, most) * per_second + t.tv_nsec;
}

}  // namespace

std::optional<FileStamp> file_stamp(const std::string& path) {
  struct stat st {};
  if (::lstat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return std::nullopt;
  return FileStamp{static_cast<std::uint64_t>(st.st_size), nanoseconds_since_1970(st.st_mtim)};
}

bool file_open_for_writing(const std::string&) {
  return false;
}

}  // namespace ordelix
