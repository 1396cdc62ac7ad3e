#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace ordelix {

// What tells one version of a file from the next without reading it.
struct FileStamp {
  std::uint64_t size = 0;
  std::int64_t modified_ns = 0;  // the last change of its content, since 1970
  bool operator==(const FileStamp&) const = default;
};

// The stamp of the regular file at `path`, itself no link, as a folder's
// batch takes it; none for anything else or nothing.
std::optional<FileStamp> file_stamp(const std::string& path);

// Whether another program holds the file open to write it, as far as the
// system tells (Windows, by its sharing; never elsewhere).
bool file_open_for_writing(const std::string& path);

}  // namespace ordelix
