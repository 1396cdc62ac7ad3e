#include <zip.h>

#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "test_support.h"
#include "xlsx/xlsx_writer.h"
#include "zip/xml_check.h"
#include "zip/zip_check.h"

namespace ordelix {
namespace {

bool whole(std::string_view xml) {
  XmlCheck check;
  check.feed(xml);
  return check.complete();
}

const std::string sheet_xml =
    "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
    "<worksheet xmlns=\"urn:x\"><sheetData>"
    "<row r=\"1\"><c r=\"A1\" t=\"s\"><v>0</v></c></row>"
    "<row r=\"2\"><c r=\"A2\"><v>1.5</v></c><c r=\"B2\" s=\"1\"/></row>"
    "</sheetData><!-- a -- note --><x a='1>0'><![CDATA[ <not> ]] markup ]]></x>"
    "</worksheet>\n";

TEST(XmlCheck, WholeDocumentsPassInAnyPieces) {
  EXPECT_TRUE(whole(sheet_xml));
  EXPECT_TRUE(whole("<a/>"));
  EXPECT_TRUE(whole("  <a>\t<b c=\"d\" />\r\n</a >  "));
  XmlCheck by_byte;
  for (char c : sheet_xml) by_byte.feed(std::string_view(&c, 1));
  EXPECT_TRUE(by_byte.complete());
}

TEST(XmlCheck, ADocumentCutShortAnywhereFails) {
  for (std::size_t length = 0; length < sheet_xml.size() - 1; ++length)
    EXPECT_FALSE(whole(sheet_xml.substr(0, length))) << length;
}

// As a failed buffer write leaves a part: a stretch gone, the rest intact.
std::string without(std::string_view from_after, std::string_view to_after) {
  std::size_t from = sheet_xml.find(from_after) + from_after.size();
  std::size_t to = sheet_xml.find(to_after, from) + to_after.size();
  return std::string(sheet_xml).erase(from, to - from);
}

TEST(XmlCheck, ADocumentThatLostAStretchFails) {
  // "<v>" is left open: "2">" becomes its text, and "</row>" meets it.
  EXPECT_FALSE(whole(without("<v>", "<row r=\"")));
  // "<c r= t="s">": an attribute without a value.
  EXPECT_FALSE(whole(without("<c r=", "\"A1\"")));
  // "<row r="1"><v>1.5</v></c>": "</c>" closes what was never opened.
  EXPECT_FALSE(whole(without("<row r=\"1\">", "<row r=\"2\"><c r=\"A2\">")));
  // "<row r="2"></row>" lost whole leaves a whole document.
  EXPECT_TRUE(whole(without("</row>", "</row>")));
}

TEST(XmlCheck, MalformedDocumentsFail) {
  for (const char* xml :
       {"", "   ", "<a>", "<a></b>", "<a><b></a></b>", "<a/><b/>", "text<a/>", "<a/>text",
        "<a>\x01</a>", "<a b=\"\x02\"/>", "<a b=\"<\"/>", "<>x</>", "< a/>", "<a/ >", "</a>",
        "<a><!-- open </a>", "<a><![CDATA[ open </a>", "<?xml version=\"1.0\""})
    EXPECT_FALSE(whole(xml)) << xml;
}

// A zip written with minizip, entries as given; each entry's checksum and
// sizes are right, whatever its content.
ZipBytes write_zip(const std::vector<std::pair<std::string, std::string>>& entries) {
  ZipBytes bytes;
  zlib_filefunc64_def into{};
  zip_bytes_write_functions(bytes, into);
  zipFile zip = zipOpen2_64("made.zip", APPEND_STATUS_CREATE, nullptr, &into);
  for (const auto& [name, content] : entries) {
    zipOpenNewFileInZip64(zip, name.c_str(), nullptr, nullptr, 0, nullptr, 0, nullptr, Z_DEFLATED,
                          Z_DEFAULT_COMPRESSION, 0);
    zipWriteInFileInZip(zip, content.data(), static_cast<unsigned>(content.size()));
    zipCloseFileInZip(zip);
  }
  zipClose(zip, nullptr);
  return bytes;
}

TEST(ZipCheck, SoundZipPasses) {
  EXPECT_TRUE(zip_check(write_zip({{"a.xml", sheet_xml}, {"b.bin", "\x01\x02"}})).ok());
}

TEST(ZipCheck, AnXmlPartCutShortIsFoundByName) {
  std::string cut = sheet_xml.substr(0, 100);
  Result<void> fault = zip_check(write_zip({{"_rels/.rels", "<r/>"}, {"xl/s.xml", cut}}));
  ASSERT_FALSE(fault.ok());
  EXPECT_EQ(fault.error().kind, ProblemKind::zip_entry_not_xml);
  EXPECT_EQ(problem_text(fault.error()),
            "the finished workbook failed its check (xl/s.xml is not a whole XML document)");
  EXPECT_FALSE(zip_check(write_zip({{"_rels/.rels", "<Relationships>"}})).ok());
}

TEST(ZipCheck, EmptyOrNoZipFails) {
  EXPECT_FALSE(zip_check(write_zip({})).ok());
  EXPECT_FALSE(zip_check(ZipBytes()).ok());
  EXPECT_FALSE(zip_check(ZipBytes("not a zip at all")).ok());
}

class WrittenWorkbook : public ::testing::Test {
 protected:
  WrittenWorkbook() {
    ReportSheet sheet;
    for (int row = 1; row <= 400; ++row) {
      sheet.set_number(row, 1, row);
      sheet.set_text(row, 3, "sample " + std::to_string(row * 7));
    }
    ZipBytes zip;
    EXPECT_TRUE(xlsx_write_report(sheet, 981173106, dir_.path().string(), zip).ok());
    bytes_ = zip.joined();
  }

  // Where the compressed data of the entry `name` starts.
  std::size_t data_of(const std::string& name) const {
    std::size_t at = bytes_.find(name);  // the first is its local header
    EXPECT_NE(at, std::string::npos);
    auto extra = static_cast<unsigned char>(bytes_[at - 2]) |
                 static_cast<unsigned char>(bytes_[at - 1]) << 8;
    return at + name.size() + extra;
  }

  test::TempDir dir_;
  std::string bytes_;
};

TEST_F(WrittenWorkbook, PassesAsWritten) {
  EXPECT_TRUE(zip_check(ZipBytes(bytes_)).ok());
}

TEST_F(WrittenWorkbook, AChangedByteInAnEntryFails) {
  std::size_t data = data_of("xl/worksheets/sheet1.xml");
  for (std::size_t offset : {std::size_t{0}, std::size_t{40}, std::size_t{400}}) {
    std::string changed = bytes_;
    changed[data + offset] = static_cast<char>(changed[data + offset] ^ 0x10);
    EXPECT_FALSE(zip_check(ZipBytes(changed)).ok()) << offset;
  }
}

// Parts found whole once are known by their stored bytes and what the index
// says of them: any difference is checked anew.
TEST_F(WrittenWorkbook, APartFoundWholeBeforeFailsOnceChanged) {
  ASSERT_TRUE(zip_check(ZipBytes(bytes_)).ok());
  std::string changed = bytes_;
  std::size_t data = data_of("xl/styles.xml");
  changed[data + 10] = static_cast<char>(changed[data + 10] ^ 0x10);
  EXPECT_FALSE(zip_check(ZipBytes(changed)).ok());

  // The same bytes said, in both headers, to inflate to another checksum.
  std::string recounted = bytes_;
  std::size_t name = recounted.find("xl/styles.xml");
  std::size_t local = name - 30;
  std::size_t central = recounted.find("xl/styles.xml", name + 1) - 46;
  ASSERT_EQ(recounted.substr(central, 4), "PK\x01\x02");
  for (std::size_t crc : {local + 14, central + 16})
    recounted[crc] = static_cast<char>(recounted[crc] ^ 1);
  Result<void> fault = zip_check(ZipBytes(recounted));
  ASSERT_FALSE(fault.ok());
  EXPECT_EQ(fault.error().kind, ProblemKind::zip_entry_bad_checksum);
  EXPECT_EQ(fault.error().quote, "xl/styles.xml");
}

TEST_F(WrittenWorkbook, AWorkbookCutShortFails) {
  for (std::size_t lost : {1, 22, 2000}) {
    EXPECT_FALSE(zip_check(ZipBytes(bytes_.substr(0, bytes_.size() - lost))).ok()) << lost;
    EXPECT_FALSE(zip_index_check(ZipBytes(bytes_.substr(0, bytes_.size() - lost))).ok()) << lost;
  }
}

TEST_F(WrittenWorkbook, TheIndexCheckPassesItAndFindsADamagedLocalHeader) {
  EXPECT_TRUE(zip_index_check(ZipBytes(bytes_)).ok());
  std::string damaged = bytes_;
  std::size_t header = damaged.find("xl/styles.xml") - 30;  // its local header's fixed part
  ASSERT_EQ(damaged.substr(header, 4), "PK\x03\x04");
  damaged.replace(header, 4, std::string(4, '\0'));
  Result<void> fault = zip_index_check(ZipBytes(damaged));
  ASSERT_FALSE(fault.ok());
  EXPECT_EQ(fault.error().kind, ProblemKind::zip_entry_unopened);
  EXPECT_EQ(fault.error().quote, "xl/styles.xml");
}

TEST(ZipIndexCheck, NoZipOrAnEmptyOneFails) {
  EXPECT_EQ(zip_index_check(ZipBytes()).error().kind, ProblemKind::zip_missing);
  EXPECT_EQ(zip_index_check(ZipBytes("PK\x03\x04 and then text")).error().kind,
            ProblemKind::zip_missing);
  EXPECT_FALSE(zip_index_check(write_zip({})).ok());
}

// Counts what a check reads of the bytes under it.
class CountingSource : public ZipSource {
 public:
  explicit CountingSource(const ZipBytes& bytes) : bytes_(bytes) {}
  std::uint64_t size() const override { return bytes_.size(); }
  std::size_t read(std::uint64_t at, void* data, std::size_t size) const override {
    std::size_t n = bytes_.read(at, data, size);
    read_ += n;
    return n;
  }
  std::uint64_t bytes_read() const { return read_; }

 private:
  const ZipBytes& bytes_;
  mutable std::uint64_t read_ = 0;
};

TEST(ZipIndexCheck, ReadsTheIndexAndHeadersButNoEntrysData) {
  ReportSheet sheet;
  for (int row = 1; row <= 20000; ++row) sheet.set_number(row, 1, row * 1.0001);
  test::TempDir dir;
  ZipBytes zip;
  ASSERT_TRUE(xlsx_write_report(sheet, 981173106, dir.path().string(), zip).ok());
  ASSERT_GT(zip.size(), 200000u) << "a worksheet that dwarfs the index";
  CountingSource whole(zip);
  ASSERT_TRUE(zip_check(whole).ok());
  EXPECT_GE(whole.bytes_read(), zip.size() - 4096);
  CountingSource index(zip);
  ASSERT_TRUE(zip_index_check(index).ok());
  // The search for a zip64 end record reads back over the last 64 KiB.
  EXPECT_LT(index.bytes_read(), 64 * 1024 + 8192u);
}

}  // namespace
}  // namespace ordelix
