// The workbook library assembles each part of a workbook in a temporary file
// of its own, a dozen per workbook; made and removed on disk they cost a batch
// more than its conversions. This definition takes the library's place (the
// build makes the linker take it) and keeps those parts in memory.

#include <sys/mman.h>
#include <unistd.h>

#include <cstdio>

extern "C" FILE* lxw_tmpfile(char*) {
  int fd = ::memfd_create("ordelix-workbook-part", MFD_CLOEXEC);
  if (fd < 0) return std::tmpfile();
  FILE* file = ::fdopen(fd, "w+b");
  if (file == nullptr) ::close(fd);
  return file;
}
