// The workbook library assembles each part of a workbook in a temporary file
// of its own, a dozen per workbook; made, written, read back and removed on
// disk they cost a batch more than its conversions. This definition takes the
// library's place (the build makes the linker take it) and keeps those parts
// in memory, behind the same stdio calls.

#include <stdio.h>

#include <algorithm>
#include <cstring>
#include <new>
#include <string>

namespace {

struct MemoryFile {
  std::string bytes;
  std::size_t at = 0;
};

ssize_t memory_read(void* cookie, char* buffer, std::size_t size) {
  auto* file = static_cast<MemoryFile*>(cookie);
  std::size_t n = file->at < file->bytes.size() ? std::min(size, file->bytes.size() - file->at) : 0;
  std::memcpy(buffer, file->bytes.data() + file->at, n);
  file->at += n;
  return static_cast<ssize_t>(n);
}

// A failed allocation is a failed write, as a full disk would be.
ssize_t memory_write(void* cookie, const char* buffer, std::size_t size) {
  auto* file = static_cast<MemoryFile*>(cookie);
  try {
    if (file->bytes.size() < file->at + size) file->bytes.resize(file->at + size);
  } catch (const std::bad_alloc&) {
    return -1;
  }
  std::memcpy(file->bytes.data() + file->at, buffer, size);
  file->at += size;
  return static_cast<ssize_t>(size);
}

int memory_seek(void* cookie, off64_t* offset, int whence) {
  auto* file = static_cast<MemoryFile*>(cookie);
  off64_t base = whence == SEEK_SET   ? 0
                 : whence == SEEK_CUR ? static_cast<off64_t>(file->at)
                                      : static_cast<off64_t>(file->bytes.size());
  if (base + *offset < 0) return -1;
  file->at = static_cast<std::size_t>(base + *offset);
  *offset = static_cast<off64_t>(file->at);
  return 0;
}

int memory_close(void* cookie) {
  delete static_cast<MemoryFile*>(cookie);
  return 0;
}

}  // namespace

extern "C" FILE* lxw_tmpfile(char*) {
  auto* file = new (std::nothrow) MemoryFile;
  if (file == nullptr) return nullptr;
  FILE* stream = ::fopencookie(file, "w+", {memory_read, memory_write, memory_seek, memory_close});
  if (stream == nullptr) delete file;
  return stream;
}
