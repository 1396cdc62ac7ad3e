#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "unpacked_zip.h"
#include "zip/zip_archive.h"

namespace ordelix {
namespace {

using test::Unpacked;
using test::unpacked;

ZipBytes archive_of(const std::vector<ZipMember>& members, const DateTime& dated) {
  ZipBytes zip;
  EXPECT_TRUE(zip_archive_write(members, dated, zip).ok());
  return zip;
}

TEST(ZipArchive, MembersComeBackStoredInOrderWithUtf8Names) {
  std::string large(300000, '\0');
  for (std::size_t i = 0; i < large.size(); ++i) large[i] = static_cast<char>(i * 7 % 251);
  std::vector<ZipMember> members = {
      {"Messung \xC2\xB5g \xE6\xB8\xAC\xE5\xAE\x9A.xlsx", "PK first"},
      {"folder/b.xlsx", large},
      {"empty.xlsx", ""},
  };
  std::vector<Unpacked> got = unpacked(archive_of(members, {2024, 3, 7, 9, 5, 4}));
  ASSERT_EQ(got.size(), members.size());
  for (std::size_t i = 0; i < got.size(); ++i) {
    SCOPED_TRACE(members[i].name);
    EXPECT_EQ(got[i].name, members[i].name);
    EXPECT_EQ(got[i].bytes, members[i].bytes);
    EXPECT_EQ(got[i].info.compression_method, 0u) << "stored";
    EXPECT_EQ(got[i].info.compressed_size, members[i].bytes.size());
    EXPECT_NE(got[i].info.flag & 0x800u, 0u) << "the UTF-8 name flag";
  }
}

TEST(ZipArchive, MembersAreDatedInLocalTimeWithinTheYearsAZipHolds) {
  struct Case {
    DateTime dated;
    DateTime shown;  // a zip counts seconds in twos
  };
  for (const Case& c : {Case{{2024, 3, 7, 9, 5, 4}, {2024, 3, 7, 9, 5, 4}},
                        Case{{1999, 12, 31, 23, 59, 59}, {1999, 12, 31, 23, 59, 58}},
                        Case{{1975, 6, 1, 12, 0, 0}, {1980, 1, 1, 0, 0, 0}},
                        Case{{2200, 6, 1, 12, 0, 0}, {2107, 12, 31, 23, 59, 58}}}) {
    SCOPED_TRACE(c.dated.year);
    std::vector<Unpacked> got = unpacked(archive_of({{"a.xlsx", "x"}}, c.dated));
    ASSERT_EQ(got.size(), 1u);
    const tm_unz& t = got[0].info.tmu_date;
    EXPECT_EQ((DateTime{static_cast<int>(t.tm_year), static_cast<int>(t.tm_mon) + 1,
                        static_cast<int>(t.tm_mday), static_cast<int>(t.tm_hour),
                        static_cast<int>(t.tm_min), static_cast<int>(t.tm_sec)}),
              c.shown);
  }
}

TEST(ZipArchive, NoMembersIsTheEndRecordAlone) {
  ZipBytes zip = archive_of({}, {2024, 1, 1, 0, 0, 0});
  // Its signature, then no disks, no entries, an empty index at 0 and no comment.
  std::string end_record("PK\5\6", 4);
  end_record.append(18, '\0');
  std::string held(static_cast<std::size_t>(zip.size()), '\0');
  zip.read(0, held.data(), held.size());
  EXPECT_EQ(held, end_record);
}

}  // namespace
}  // namespace ordelix
