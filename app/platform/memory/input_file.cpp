#include "platform/input_file.h"

#include <cerrno>
#include <limits>

#include "memory_table.h"

namespace ordelix {

Result<InputFile> input_file_read(const std::string& path, std::size_t max_bytes) {
  MemoryFile file;
  switch (int err = MemoryTable::instance().read(path, max_bytes, file)) {
    case 0:
      return InputFile{std::move(file.bytes), file.created};
    case EISDIR:
      return Problem(ProblemKind::is_folder);
    case EFBIG:
      return Problem(ProblemKind::too_large);
    default:
      return Problem(ProblemKind::cannot_open, err);
  }
}

// A copy taken when opened: the table's file may be replaced meanwhile.
struct ReadOnlyFile::Impl {
  std::string bytes;
};

Result<ReadOnlyFile> ReadOnlyFile::open(const std::string& path) {
  Result<InputFile> file = input_file_read(path, std::numeric_limits<std::size_t>::max());
  if (!file) return std::move(file).error();
  return ReadOnlyFile(std::make_unique<Impl>(Impl{std::move(file->bytes)}));
}

ReadOnlyFile::ReadOnlyFile(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {}
ReadOnlyFile::ReadOnlyFile(ReadOnlyFile&& other) noexcept = default;
ReadOnlyFile::~ReadOnlyFile() = default;

std::uint64_t ReadOnlyFile::size() const {
  return impl_->bytes.size();
}

Result<std::size_t> ReadOnlyFile::read_at(std::uint64_t at, char* buffer, std::size_t size) const {
  if (at >= impl_->bytes.size()) return std::size_t{0};
  return impl_->bytes.copy(buffer, size, static_cast<std::size_t>(at));
}

}  // namespace ordelix
