#include "zip_archive.h"

#include <zip.h>

#include <algorithm>
#include <cerrno>

namespace ordelix {
namespace {

constexpr int first_zip_year = 1980;
constexpr int last_zip_year = 2107;
// Bit 11 of a member's flags: its name is UTF-8.
constexpr uLong utf8_names = 1u << 11;
// Made by a FAT-era system, zip format 2.0: what readers assume of a plain zip.
constexpr uLong version_made_by = 20;

// Its fields are int in zlib's minizip and unsigned in Debian's.
tm_zip zip_date_of(DateTime t) {
  if (t.year < first_zip_year) t = {first_zip_year, 1, 1, 0, 0, 0};
  if (t.year > last_zip_year) t = {last_zip_year, 12, 31, 23, 59, 59};
  tm_zip date{};
  using Field = decltype(date.tm_sec);
  date.tm_sec = static_cast<Field>(t.second);
  date.tm_min = static_cast<Field>(t.minute);
  date.tm_hour = static_cast<Field>(t.hour);
  date.tm_mday = static_cast<Field>(t.day);
  date.tm_mon = static_cast<Field>(t.month - 1);
  date.tm_year = static_cast<Field>(t.year);
  return date;
}

bool member_write(zipFile archive, const ZipMember& member, const zip_fileinfo& info) {
  if (zipOpenNewFileInZip4_64(archive, member.name.c_str(), &info, nullptr, 0, nullptr, 0, nullptr,
                              0, 0, 0, -MAX_WBITS, DEF_MEM_LEVEL, Z_DEFAULT_STRATEGY, nullptr, 0,
                              version_made_by, utf8_names, 0) != ZIP_OK)
    return false;
  std::string_view rest = member.bytes;
  bool written = true;
  while (written && !rest.empty()) {
    auto n = static_cast<unsigned>(std::min<std::size_t>(rest.size(), 1u << 30));
    written = zipWriteInFileInZip(archive, rest.data(), n) == ZIP_OK;
    rest.remove_prefix(n);
  }
  return zipCloseFileInZip(archive) == ZIP_OK && written;
}

}  // namespace

Result<void> zip_archive_write(std::span<const ZipMember> members, const DateTime& dated,
                               ZipBytes& zip) {
  zlib_filefunc64_def into_zip{};
  zip_bytes_write_functions(zip, into_zip);
  zipFile archive = zipOpen2_64("archive.zip", APPEND_STATUS_CREATE, nullptr, &into_zip);
  if (archive == nullptr) return Problem(ProblemKind::write_failed, ENOMEM);
  zip_fileinfo info{};
  info.tmz_date = zip_date_of(dated);
  bool written = true;
  for (std::size_t i = 0; i < members.size() && written; ++i)
    written = member_write(archive, members[i], info);
  bool closed = zipClose(archive, nullptr) == ZIP_OK;
  if (zip.incomplete()) return Problem(ProblemKind::write_failed, ENOMEM);
  if (!written || !closed) return Problem(ProblemKind::write_failed, EIO);
  return {};
}

}  // namespace ordelix
