// The workbook library's text for a number, which our patch writes without
// printf, against printf's "%.16G", which the unpatched library wrote: every
// workbook's bytes rest on the two agreeing.

#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <limits>
#include <random>
#include <string>

#include <gtest/gtest.h>

#include <xlsxwriter/utility.h>

namespace {

std::string library_text(double value) {
  char data[LXW_ATTR_32];
  int length = lxw_sprintf_dbl(data, value);
  EXPECT_EQ(static_cast<std::size_t>(length), std::strlen(data));
  return data;
}

std::string printf_text(double value) {
  char text[64];
  std::snprintf(text, sizeof text, "%.16G", value);
  return text;
}

TEST(WorkbookNumbers, WrittenAsPrintfsCapitalGeneralFormat) {
  EXPECT_EQ(library_text(0.0), "0");
  EXPECT_EQ(library_text(-0.0), "-0");
  EXPECT_EQ(library_text(0.1234), "0.1234");
  EXPECT_EQ(library_text(190.2), "190.2");
  // Sixteen significant digits, rounded, trailing zeros dropped.
  EXPECT_EQ(library_text(1.0 / 3), "0.3333333333333333");
  EXPECT_EQ(library_text(2.0 / 3), "0.6666666666666666");
  EXPECT_EQ(library_text(0.1 + 0.2), "0.3");
  EXPECT_EQ(library_text(12345678901234567.0), "1.234567890123457E+16");
  // An exponent from 10^16 up and below 10^-4, of at least two digits.
  EXPECT_EQ(library_text(1e15), "1000000000000000");
  EXPECT_EQ(library_text(1e16), "1E+16");
  EXPECT_EQ(library_text(0.0001), "0.0001");
  EXPECT_EQ(library_text(0.00001), "1E-05");
  EXPECT_EQ(library_text(-1e-7), "-1E-07");
  EXPECT_EQ(library_text(DBL_MAX), "1.797693134862316E+308");
  EXPECT_EQ(library_text(DBL_MIN), "2.225073858507201E-308");
  EXPECT_EQ(library_text(std::numeric_limits<double>::denorm_min()), "4.940656458412465E-324");
  EXPECT_EQ(library_text(std::numeric_limits<double>::infinity()), "INF");
  EXPECT_EQ(library_text(-std::numeric_limits<double>::infinity()), "-INF");
  // C libraries part on a negative NaN's sign; the sheet keeps NaN out.
  EXPECT_EQ(library_text(std::numeric_limits<double>::quiet_NaN()), "NAN");
}

TEST(WorkbookNumbers, EdgesAsPrintfWritesThem) {
  const double edges[] = {
      // Where the notation changes, from either side.
      9999999999999998.0, 9999999999999999.0, 1e16 - 2, 0.000099999999999999991, 0.0001,
      // 15, 16 and 17 significant digits, and halfway cases at the 16th.
      123456789012345.0, 1234567890123456.0, 12345678901234568.0, 0.12345678901234565,
      0.30000000000000004, 9007199254740993.0, 1.0000000000000002, 0.99999999999999989,
      // The largest and smallest doubles, subnormals among them.
      DBL_MAX, -DBL_MAX, DBL_MIN, -DBL_MIN, std::nextafter(DBL_MIN, 0.0),
      std::numeric_limits<double>::denorm_min(), 1e-320, 1e308, 1e-308, 1e22, 1e23};
  for (double value : edges) EXPECT_EQ(library_text(value), printf_text(value)) << value;
}

TEST(WorkbookNumbers, ScansAndArbitraryBitsAsPrintfWritesThem) {
  // A scan's values with four decimals and its wavelengths as they are
  // summed step by step, their last digit off.
  double wavelength = 190;
  for (int i = 0; i < 10000; ++i, wavelength += 0.2) {
    double reading = (i - 5000) / 10000.0;
    ASSERT_EQ(library_text(reading), printf_text(reading)) << i;
    ASSERT_EQ(library_text(wavelength), printf_text(wavelength)) << i;
  }
  std::mt19937_64 bits(7);
  for (int i = 0; i < 4000; ++i) {
    std::uint64_t pattern = bits();
    double value = 0;
    std::memcpy(&value, &pattern, sizeof value);
    if (std::isnan(value)) continue;
    ASSERT_EQ(library_text(value), printf_text(value)) << std::hexfloat << value;
  }
}

}  // namespace
