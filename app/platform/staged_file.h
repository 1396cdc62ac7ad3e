#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>

#include "base/result.h"

namespace ordelix {

// A file written in its folder before it gets its final name, with mode 0666
// less the umask. Where the file system allows, it has no name at all until
// placed, so that not even a killed process leaves it behind; elsewhere it
// has a hidden one (".ordelix-XXXXXX") that an interrupt or a request to end
// removes. Unless placed it is gone with this object.
class StagedFile {
 public:
  enum class Naming { unnamed_where_possible, named };

  // Error: cannot_create.
  static Result<StagedFile> create(const std::string& folder,
                                   Naming naming = Naming::unnamed_where_possible);

  StagedFile(StagedFile&& other) noexcept;
  StagedFile& operator=(StagedFile&&) = delete;
  StagedFile(const StagedFile&) = delete;
  ~StagedFile();

  // Whether it has a name of its own until placed.
  bool named() const;

  // Error: write_failed.
  Result<void> write_at(std::uint64_t at, std::string_view bytes);
  // The bytes read, fewer only at the end. Error: cannot_read.
  Result<std::size_t> read_at(std::uint64_t at, char* buffer, std::size_t size) const;
  // Makes what is written last through a crash. Error: sync_failed.
  Result<void> sync();

  // Gives the file the name `target`, in the same folder; a file already
  // there is replaced only when `replace`. Errors: target_exists,
  // target_name_refused (where the system tells it apart), cannot_place.
  Result<void> place(const std::string& target, bool replace);

 private:
  struct Impl;
  explicit StagedFile(std::unique_ptr<Impl> impl);
  friend Result<void> staged_files_sync(std::span<StagedFile* const> files);

  std::unique_ptr<Impl> impl_;
};

// Makes several staged files last through a crash, more cheaply than one
// sync() each. Error: sync_failed.
Result<void> staged_files_sync(std::span<StagedFile* const> files);

}  // namespace ordelix
