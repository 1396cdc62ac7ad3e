// The workbook library assembles each part of a workbook in a temporary file
// of its own and ignores some failed writes to them, zipping a part cut short
// as if it were whole: hence parts of our own, which keep every failure.
// Streams of the program's own are a C library extension (fopencookie).

#include "platform/part_streams.h"

#include <stdio.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstring>
#include <memory>
#include <new>
#include <optional>
#include <string>

#include "platform/staged_file.h"

namespace ordelix {
namespace {

constexpr std::size_t memory_limit = 64 * 1024;
// Twice the C library's own 8 KiB halves the system calls that take a large
// sheet's part to and from its file; more would cost a small workbook memory
// it has not to spare. Should this much not be had, the stream keeps its
// own. The C library takes a size only with a buffer given.
constexpr std::size_t stream_buffer = 16 * 1024;

// The first failure of the parts a thread opened, whichever thread wrote
// them: the workbook library writes its charts' parts on one of its own.
thread_local std::atomic<int> first_failure{0};

int failed(std::atomic<int>& failures, int err) {
  int none = 0;
  failures.compare_exchange_strong(none, err);
  errno = err;
  return -1;
}

class Part {
 public:
  explicit Part(const char* folder)
      : folder_(folder != nullptr ? folder : "/tmp"), failures_(first_failure) {}
  Part(const Part&) = delete;
  Part& operator=(const Part&) = delete;

  int failed(int err) { return ordelix::failed(failures_, err); }

  // Its stream's buffer, which goes with the part when the stream closes.
  char* stream_buffer_made() {
    buffer_.reset(new (std::nothrow) char[stream_buffer]);
    return buffer_.get();
  }

  ssize_t read(char* buffer, std::size_t size) {
    std::size_t n = at_ < size_ ? std::min(size, size_ - at_) : 0;
    if (!file_) {
      std::memcpy(buffer, memory_.data() + at_, n);
    } else {
      Result<std::size_t> got = file_->read_at(at_, buffer, n);
      if (!got) return failed(got.error().sys_errno);
      n = got.value();
    }
    at_ += n;
    return static_cast<ssize_t>(n);
  }

  ssize_t write(const char* bytes, std::size_t size) {
    if (!file_ && at_ + size > memory_limit)
      if (int err = move_to_file(); err != 0) return failed(err);
    if (!file_ && at_ == memory_.size()) {
      memory_.append(bytes, size);  // at the end, as nearly always: not zeroed, then copied over
    } else if (!file_) {
      if (memory_.size() < at_ + size) memory_.resize(at_ + size);
      std::memcpy(memory_.data() + at_, bytes, size);
    } else if (Result<void> written = file_->write_at(at_, {bytes, size}); !written) {
      return failed(written.error().sys_errno);
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
    Result<StagedFile> created = StagedFile::create(folder_);
    if (!created) return created.error().sys_errno;
    file_.emplace(std::move(created).value());
    Result<void> written = file_->write_at(0, memory_);
    std::string().swap(memory_);
    return written ? 0 : written.error().sys_errno;
  }

  std::string folder_;
  std::string memory_;
  std::optional<StagedFile> file_;  // never placed: gone with the part
  std::unique_ptr<char[]> buffer_;
  std::atomic<int>& failures_;  // its opener's
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
    return static_cast<Part*>(cookie)->failed(ENOMEM);
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

void part_streams_forget() {
  first_failure = 0;
}

int part_streams_failure() {
  return first_failure;
}

FILE* part_stream_open(char* folder) {
  Part* part = new (std::nothrow) Part(folder);
  if (part == nullptr) {
    failed(first_failure, ENOMEM);
    return nullptr;
  }
  FILE* stream = ::fopencookie(part, "w+", {part_read, part_write, part_seek, part_close});
  if (stream == nullptr) {
    failed(first_failure, errno != 0 ? errno : ENOMEM);
    delete part;
    return nullptr;
  }
  if (char* buffer = part->stream_buffer_made())
    std::setvbuf(stream, buffer, _IOFBF, stream_buffer);
  return stream;
}

}  // namespace ordelix
