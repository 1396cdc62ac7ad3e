#include "file_system_flush.h"

#include <sys/statfs.h>
#include <sys/utsname.h>

#include <charconv>
#include <cstring>
#include <utility>

namespace ordelix {
namespace {

constexpr long fuse_super_magic = 0x65735546;
constexpr std::pair<int, int> first_reporting_release{5, 8};

bool syncfs_reports_errors() {
  static const bool reports = [] {
    struct utsname system {};
    if (::uname(&system) != 0) return false;
    const char* end = system.release + std::strlen(system.release);
    std::pair<int, int> release{0, 0};
    auto [dot, major_err] = std::from_chars(system.release, end, release.first);
    if (major_err != std::errc() || dot == end || *dot != '.') return false;
    if (std::from_chars(dot + 1, end, release.second).ec != std::errc()) return false;
    return release >= first_reporting_release;
  }();
  return reports;
}

}  // namespace

bool syncfs_covers_files(int fd) {
  struct statfs file_system {};
  return syncfs_reports_errors() && ::fstatfs(fd, &file_system) == 0 &&
         file_system.f_type != fuse_super_magic;
}

}  // namespace ordelix
