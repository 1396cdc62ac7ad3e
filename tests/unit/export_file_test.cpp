#include <filesystem>
#include <limits>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

#include <gtest/gtest.h>

#include "core/conversion.h"
#include "test_support.h"

namespace ordelix {
namespace {

namespace fs = std::filesystem;
using namespace std::string_literals;
using test::text_at;

using ExportFileTest = test::ConversionTest;

TEST_F(ExportFileTest, FileBeyondTheLimitIsRefused) {
  std::string path = dir_.file("huge.PRO");
  test::write_bytes(path, "2\r\n");
  fs::resize_file(path, ExportFile::max_bytes + 1);
  Result<Conversion> c = convert_export_file(path);
  ASSERT_FALSE(c.ok());
  EXPECT_EQ(c.error().kind, ProblemKind::too_large);
}

// A K-factor colorimetric file of 2 samples.
std::string k_factor_bytes() {
  std::string bytes;
  for (const char* line :
       {"2",    "0",   "2", "SET-7", "4",     "1",     "3",    "0", "1",     "1",     "750",
        "0.05", "2.5", "2", "1",     "0.321", "0.321", "0.85", "2", "0.467", "0.467", "1.21"})
    bytes += std::string(line) + "\r\n";
  return bytes;
}

TEST_F(ExportFileTest, TimeOutsideTheWorkbookSpanLeavesTheDateEmptyWithAWarning) {
  const MeasurementMode& protein = *measurement_mode_of("run.PRO");
  std::string bytes = k_factor_bytes();
  for (std::time_t t :
       {std::numeric_limits<std::time_t>::max(), std::time_t{253402300800},
        std::time_t{-2208988801 - 86400}, std::numeric_limits<std::time_t>::min()}) {
    SCOPED_TRACE(t);
    Result<Conversion> c = convert_export(ExportFile("run.PRO", bytes, t), protein);
    ASSERT_TRUE(c.ok()) << problem_text(c.error());
    EXPECT_EQ(text_at(c->sheet, 2, 1), "Time & Date           ");
    EXPECT_EQ(c->sheet.cell(2, 4), std::nullopt);
    ASSERT_EQ(c->warnings.size(), 1u);
    EXPECT_EQ(c->warnings[0].kind, ProblemKind::time_out_of_range);
    EXPECT_FALSE(c->warnings[0].is_error());
    // The workbook's own record of its creation takes the nearest time it can show.
    EXPECT_EQ(c->created, t > 0 ? 253402300799 : -2208988800);
  }
}

// ASCII text as UTF-16 with its mark: each byte one unit.
std::string utf16_of_ascii(std::string_view ascii, bool big_endian) {
  std::string units = big_endian ? "\xFE\xFF" : "\xFF\xFE";
  for (char c : ascii) {
    units += big_endian ? '\0' : c;
    units += big_endian ? c : '\0';
  }
  return units;
}

using Cells = std::vector<std::tuple<int, int, CellValue>>;

Cells cells_of(const ReportSheet& sheet) {
  Cells cells;
  for (int row = 1; row <= sheet.last_row(); ++row)
    for (const ReportSheet::Entry& entry : sheet.row_entries(row))
      cells.emplace_back(row, entry.col, entry.value());
  return cells;
}

// What an editor saves when a sample name is fixed in it: the same text,
// as Unicode with a byte-order mark.
TEST_F(ExportFileTest, UnicodeCopyGivesTheSameReportWithOneWarning) {
  const MeasurementMode& protein = *measurement_mode_of("run.PRO");
  std::string single_bytes = k_factor_bytes();
  Conversion expected =
      test::converted(convert_export(ExportFile("run.PRO", single_bytes, 0), protein));
  ASSERT_TRUE(expected.warnings.empty());
  struct Copy {
    std::string bytes;
    std::string warning;
  };
  for (const Copy& copy : {
           Copy{"\xEF\xBB\xBF" + single_bytes,
                "the file is UTF-8 text, not the instrument's Windows-1252; read as that text"},
           Copy{utf16_of_ascii(single_bytes, false),
                "the file is UTF-16 (little-endian) text, not the instrument's Windows-1252; "
                "read as that text"},
           Copy{utf16_of_ascii(single_bytes, true),
                "the file is UTF-16 (big-endian) text, not the instrument's Windows-1252; "
                "read as that text"},
       }) {
    SCOPED_TRACE(copy.warning);
    Conversion c = test::converted(convert_export(ExportFile("run.PRO", copy.bytes, 0), protein));
    EXPECT_EQ(cells_of(c.sheet), cells_of(expected.sheet));
    ASSERT_EQ(c.warnings.size(), 1u);
    EXPECT_EQ(c.warnings[0].kind, ProblemKind::unicode_text);
    EXPECT_EQ(c.warnings[0].line, 0);  // the whole file
    EXPECT_EQ(problem_text(c.warnings[0]), copy.warning);
  }
}

TEST_F(ExportFileTest, UnicodeNameReachesTheSheetAsWindows1252) {
  const MeasurementMode& protein = *measurement_mode_of("run.PRO");
  // Line 4, the sample group name, "CAF\u00C9-\u20AC\u03B1" in UTF-16 (little-endian).
  std::string bytes = k_factor_bytes();
  std::string head = bytes.substr(0, bytes.find("SET-7"));
  std::string tail = bytes.substr(bytes.find("SET-7") + 5);
  std::string file = utf16_of_ascii(head, false) + "C\0A\0F\0\xC9\0-\0\xAC\x20\xB1\x03"s +
                     utf16_of_ascii(tail, false).substr(2);
  Conversion c = test::converted(convert_export(ExportFile("run.PRO", file, 0), protein));
  EXPECT_EQ(text_at(c.sheet, 4, 4), "CAF\xC9-\x80?");
  ASSERT_EQ(c.warnings.size(), 1u);
  EXPECT_EQ(problem_text(c.warnings[0]),
            "the file is UTF-16 (little-endian) text, not the instrument's Windows-1252; read as "
            "that text, with \"?\" for 1 character that Windows-1252 lacks or that does not "
            "decode");
}

TEST_F(ExportFileTest, TimeInsideTheSpanIsTheDate) {
  test::set_environment("TZ", "UTC");
  ::tzset();
  const MeasurementMode& protein = *measurement_mode_of("run.PRO");
  std::string bytes = k_factor_bytes();
  for (std::time_t t : {std::time_t{0}, std::time_t{-2208988800}, std::time_t{253402300799}}) {
    Result<Conversion> c = convert_export(ExportFile("run.PRO", bytes, t), protein);
    ASSERT_TRUE(c.ok()) << problem_text(c.error());
    std::optional<CellValue> d2 = c->sheet.cell(2, 4);
    ASSERT_TRUE(d2);
    ASSERT_TRUE(std::holds_alternative<DateTime>(*d2));
    EXPECT_EQ(std::get<DateTime>(*d2).year, t == 0 ? 1970 : t < 0 ? 1900 : 9999);
    EXPECT_TRUE(c->warnings.empty());
    EXPECT_EQ(c->created, t);
  }
  test::unset_environment("TZ");
  ::tzset();
}

}  // namespace
}  // namespace ordelix
