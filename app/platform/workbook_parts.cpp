// The workbook library assembles each part of a workbook in a temporary file
// of its own and ignores some failed writes to them, zipping a part cut short
// as if it were whole: hence parts of our own, which keep every failure.

#include "workbook_parts.h"

#include <fcntl.h>
#include <stdio.h>
#include <stdlib.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <new>
#include <optional>
#include <string>

#include "staged_file.h"

namespace ordelix {
namespace {

constexpr std::size_t memory_limit = 64 * 1024;

thread_local int first_failure = 0;

int failed(int err) {
  if (first_failure == 0) first_failure = err;
  errno = err;
  return -1;
}

int write_fully(int fd, const char* bytes, std::size_t size, off_t at) {
  while (size > 0) {
    ssize_t n = ::pwrite(fd, bytes, size, at);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return errno;
    if (n == 0) return EIO;
    bytes += n;
    size -= static_cast<std::size_t>(n);
    at += n;
  }
  return 0;
}

class Part {
 public:
  explicit Part(const char* folder) : folder_(folder != nullptr ? folder : "/tmp") {}
  Part(const Part&) = delete;
  Part& operator=(const Part&) = delete;

  ssize_t read(char* buffer, std::size_t size) {
    std::size_t n = at_ < size_ ? std::min(size, size_ - at_) : 0;
    if (fd_ < 0) {
      std::memcpy(buffer, memory_.data() + at_, n);
    } else {
      ssize_t got = ::pread(fd_, buffer, n, static_cast<off_t>(at_));
      while (got < 0 && errno == EINTR) got = ::pread(fd_, buffer, n, static_cast<off_t>(at_));
      if (got < 0) return failed(errno);
      n = static_cast<std::size_t>(got);
    }
    at_ += n;
    return static_cast<ssize_t>(n);
  }

  ssize_t write(const char* bytes, std::size_t size) {
    if (fd_ < 0 && at_ + size > memory_limit)
      if (int err = move_to_file(); err != 0) return failed(err);
    if (fd_ < 0) {
      if (memory_.size() < at_ + size) memory_.resize(at_ + size);
      std::memcpy(memory_.data() + at_, bytes, size);
    } else if (int err = write_fully(fd_, bytes, size, static_cast<off_t>(at_)); err != 0) {
      return failed(err);
    }
    at_ += size;
    size_ = std::max(size_, at_);
    return static_cast<ssize_t>(size);
  }

  int seek(off64_t* offset, int whence) {
    off64_t base = whence == SEEK_SET   ? 0
                   : whence == SEEK_CUR ? static_cast<off64_t>(at_)
                                        : static_cast<off64_t>(size_);
    if (base + *offset < 0) return failed(EINVAL);
    at_ = static_cast<std::size_t>(base + *offset);
    *offset = static_cast<off64_t>(at_);
    return 0;
  }

 private:
  int move_to_file() {
    std::variant<StagedFile, int> created = StagedFile::create(folder_);
    if (const int* err = std::get_if<int>(&created)) return *err;
    file_.emplace(std::get<StagedFile>(std::move(created)));
    fd_ = file_->fd();
    int err = write_fully(fd_, memory_.data(), memory_.size(), 0);
    std::string().swap(memory_);
    return err;
  }

  std::string folder_;
  std::string memory_;
  std::optional<StagedFile> file_;  // never placed: gone with the part
  int fd_ = -1;
  std::size_t at_ = 0;
  std::size_t size_ = 0;
};

ssize_t part_read(void* cookie, char* buffer, std::size_t size) {
  return static_cast<Part*>(cookie)->read(buffer, size);
}

// A failed allocation is a failed write, as a full disk would be.
ssize_t part_write(void* cookie, const char* bytes, std::size_t size) {
  try {
    return static_cast<Part*>(cookie)->write(bytes, size);
  } catch (const std::bad_alloc&) {
    return failed(ENOMEM);
  }
}

int part_seek(void* cookie, off64_t* offset, int whence) {
  return static_cast<Part*>(cookie)->seek(offset, whence);
}

int part_close(void* cookie) {
  delete static_cast<Part*>(cookie);
  return 0;
}

}  // namespace

void workbook_parts_reset() {
  first_failure = 0;
}

int workbook_parts_failure() {
  return first_failure;
}

FILE* workbook_part_open(char* tmpdir) {
  Part* part = nullptr;
  try {
    part = new Part(tmpdir);
  } catch (const std::bad_alloc&) {
    failed(ENOMEM);
    return nullptr;
  }
  FILE* stream = ::fopencookie(part, "w+", {part_read, part_write, part_seek, part_close});
  if (stream == nullptr) {
    failed(errno != 0 ? errno : ENOMEM);
    delete part;
  }
  return stream;
}

}  // namespace ordelix
