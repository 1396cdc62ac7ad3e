#include <filesystem>
#include <limits>
#include <string>

#include <gtest/gtest.h>

#include "conversion.h"
#include "test_support.h"

namespace ordelix {
namespace {

namespace fs = std::filesystem;
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
    EXPECT_EQ(c->sheet.cell(2, 4), nullptr);
    ASSERT_EQ(c->warnings.size(), 1u);
    EXPECT_EQ(c->warnings[0].kind, ProblemKind::time_out_of_range);
    EXPECT_FALSE(c->warnings[0].is_error());
    // The workbook's own record of its creation takes the nearest time it can show.
    EXPECT_EQ(c->created, t > 0 ? 253402300799 : -2208988800);
  }
}

TEST_F(ExportFileTest, TimeInsideTheSpanIsTheDate) {
  test::set_environment("TZ", "UTC");
  ::tzset();
  const MeasurementMode& protein = *measurement_mode_of("run.PRO");
  std::string bytes = k_factor_bytes();
  for (std::time_t t : {std::time_t{0}, std::time_t{-2208988800}, std::time_t{253402300799}}) {
    Result<Conversion> c = convert_export(ExportFile("run.PRO", bytes, t), protein);
    ASSERT_TRUE(c.ok()) << problem_text(c.error());
    const CellValue* d2 = c->sheet.cell(2, 4);
    ASSERT_NE(d2, nullptr);
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
