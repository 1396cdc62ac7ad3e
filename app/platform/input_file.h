#pragma once

#include <cstddef>
#include <ctime>
#include <string>

#include "base/result.h"

namespace ordelix {

struct InputFile {
  std::string bytes;
  std::time_t created = 0;  // birth time where the file system records one, else last change
};

// A file read whole and only read. Only a regular file is read, and opening
// one never waits (on a pipe without a writer, say). Errors: cannot_open,
// cannot_read, is_folder, not_regular, too_large (beyond `max_bytes`).
Result<InputFile> input_file_read(const std::string& path, std::size_t max_bytes);

}  // namespace ordelix
