#pragma once

#include <cstddef>
#include <cstdint>
#include <ctime>
#include <memory>
#include <string>

#include "base/result.h"

namespace ordelix {

struct InputFile {
  std::string bytes;
  std::time_t created = 0;  // birth time where the file system records one, else last change
};

// A file read whole and only read. Only a regular file is read, and opening
// one never waits (on a pipe without a writer, say). Errors: cannot_open,
// cannot_read, is_folder, not_regular, too_large (beyond `max_bytes`),
// changed_while_read (its size or last change differ after the read).
Result<InputFile> input_file_read(const std::string& path, std::size_t max_bytes);

// A regular file held open to read the parts asked for, as a zip is read
// through its index, and only read.
class ReadOnlyFile {
 public:
  // Opened as input_file_read opens. Errors: cannot_open, cannot_read,
  // is_folder, not_regular.
  static Result<ReadOnlyFile> open(const std::string& path);

  ReadOnlyFile(ReadOnlyFile&& other) noexcept;
  ReadOnlyFile& operator=(ReadOnlyFile&&) = delete;
  ReadOnlyFile(const ReadOnlyFile&) = delete;
  ~ReadOnlyFile();

  // As it was when opened.
  std::uint64_t size() const;
  // The bytes read, fewer only at the end. Error: cannot_read.
  Result<std::size_t> read_at(std::uint64_t at, char* buffer, std::size_t size) const;

 private:
  struct Impl;
  explicit ReadOnlyFile(std::unique_ptr<Impl> impl);

  std::unique_ptr<Impl> impl_;
};

}  // namespace ordelix
