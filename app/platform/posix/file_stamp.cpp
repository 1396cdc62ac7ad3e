#include "platform/file_stamp.h"

#include <sys/stat.h>

namespace ordelix {

std::optional<FileStamp> file_stamp(const std::string& path) {
  struct stat st {};
  if (::lstat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return std::nullopt;
  return FileStamp{
      static_cast<std::uint64_t>(st.st_size),
      static_cast<std::int64_t>(st.st_mtim.tv_sec) * 1'000'000'000 + st.st_mtim.tv_nsec};
}

bool file_open_for_writing(const std::string&) {
  return false;
}

}  // namespace ordelix
