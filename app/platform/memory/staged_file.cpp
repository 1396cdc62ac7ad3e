// The staged file is bytes of its own until placed, when they move into the
// table: nothing of it is there before.

#include "platform/staged_file.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <ctime>
#include <new>

#include "memory_table.h"

namespace ordelix {

struct StagedFile::Impl {
  std::string bytes;
};

Result<StagedFile> StagedFile::create(const std::string& folder, Naming) {
  if (PathKind kind = MemoryTable::instance().kind(folder); kind != PathKind::folder)
    return Problem(ProblemKind::cannot_create, kind == PathKind::none ? ENOENT : ENOTDIR);
  return StagedFile(std::make_unique<Impl>());
}

StagedFile::StagedFile(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {}
StagedFile::StagedFile(StagedFile&& other) noexcept = default;
StagedFile::~StagedFile() = default;

bool StagedFile::named() const {
  return false;
}

Result<void> StagedFile::write_at(std::uint64_t at, std::string_view bytes) {
  std::string& held = impl_->bytes;
  if (at > held.max_size() - bytes.size()) return Problem(ProblemKind::write_failed, EFBIG);
  std::size_t end = static_cast<std::size_t>(at) + bytes.size();
  try {
    if (held.size() < end) held.resize(end);
  } catch (const std::bad_alloc&) {
    return Problem(ProblemKind::write_failed, ENOMEM);
  }
  std::memcpy(held.data() + static_cast<std::size_t>(at), bytes.data(), bytes.size());
  return {};
}

Result<std::size_t> StagedFile::read_at(std::uint64_t at, char* buffer, std::size_t size) const {
  const std::string& held = impl_->bytes;
  if (at >= held.size()) return std::size_t{0};
  auto from = static_cast<std::size_t>(at);
  std::size_t n = std::min(size, held.size() - from);
  std::memcpy(buffer, held.data() + from, n);
  return n;
}

Result<void> StagedFile::sync() {
  return {};
}

Result<void> StagedFile::place(const std::string& target, bool replace) {
  MemoryFile file{std::move(impl_->bytes), std::time(nullptr)};
  int err = MemoryTable::instance().put(target, file, replace);
  if (err == 0) return {};
  impl_->bytes = std::move(file.bytes);
  if (err == EEXIST) return Problem(ProblemKind::target_exists, err);
  return Problem(ProblemKind::cannot_place, err);
}

Result<void> staged_files_sync(std::span<StagedFile* const>) {
  return {};
}

}  // namespace ordelix
