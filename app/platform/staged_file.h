#pragma once

#include <memory>
#include <string>
#include <variant>

#include "removal_on_signal.h"

namespace ordelix {

// A file written in its folder before it gets its final name, with mode 0666
// less the umask. Where the file system allows, it has no name at all until
// placed, so that not even a killed process leaves it behind; elsewhere it is
// a hidden ".ordelix-XXXXXX" that SIGINT and SIGTERM remove. Unless placed it
// is gone with this object.
class StagedFile {
 public:
  enum class Naming { unnamed_where_possible, named };

  // The file, or the errno of why the folder takes none.
  static std::variant<StagedFile, int> create(const std::string& folder,
                                              Naming naming = Naming::unnamed_where_possible);

  StagedFile(StagedFile&& other) noexcept;
  StagedFile& operator=(StagedFile&&) = delete;
  StagedFile(const StagedFile&) = delete;
  ~StagedFile();

  int fd() const { return fd_; }
  // A path under which the file opens, by this process only where unnamed.
  const std::string& path() const { return path_; }
  bool named() const { return removal_ != nullptr; }

  // Gives the file the name `target`, in the same folder; a file already
  // there is replaced only when `replace`. 0, or the errno.
  int place(const std::string& target, bool replace);

 private:
  StagedFile(int fd, std::string path, std::unique_ptr<RemovalOnSignal> removal)
      : fd_(fd), path_(std::move(path)), removal_(std::move(removal)) {}

  int fd_;
  std::string path_;
  std::unique_ptr<RemovalOnSignal> removal_;  // set while the file has a name of its own
  bool placed_ = false;
};

}  // namespace ordelix
