#pragma once

#include <span>
#include <string>
#include <string_view>

#include "base/date_time.h"
#include "base/result.h"
#include "zip_bytes.h"

namespace ordelix {

struct ZipMember {
  std::string name;  // UTF-8, "/" between folders
  std::string_view bytes;
};

// A zip archive of the members in the order given, each stored as it is (a
// workbook is compressed already), named in UTF-8 and dated `dated`, local
// time, within the years a zip can date: 1980 to 2107. Error: write_failed.
Result<void> zip_archive_write(std::span<const ZipMember> members, const DateTime& dated,
                               ZipBytes& zip);

}  // namespace ordelix
