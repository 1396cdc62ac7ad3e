#include <optional>
#include <string_view>

#include <gtest/gtest.h>

#include "exportfile/code_tables.h"

namespace ordelix {
namespace {

std::optional<std::string_view> unit_of(double code) {
  return code_text_lookup(unit_code_table(), code);
}

TEST(UnitCodeTable, EveryRow) {
  const char* texts[] = {"ug/ml",  "ug/ul", "ng/ul", "mg/ml", "pmol/ul", "mmol/ul",
                         "umol/l", "mg/l",  "mg/dl", "ug/l",  "g/l",     "U/l",
                         "ppm",    "ppb",   "%",     "conc"};
  for (int code = 0; code < 16; ++code) EXPECT_EQ(unit_of(code), texts[code]) << code;
}

TEST(UnitCodeTable, NamedRows) {
  EXPECT_EQ(unit_of(0), "ug/ml");
  EXPECT_EQ(unit_of(14), "%");
  EXPECT_EQ(unit_of(15), "conc");
}

TEST(UnitCodeTable, CodesWithoutARowHaveNoText) {
  EXPECT_EQ(unit_of(16), std::nullopt);
  EXPECT_EQ(unit_of(2.5), std::nullopt);
  EXPECT_EQ(unit_of(-1), std::nullopt);
  EXPECT_EQ(unit_of(100), std::nullopt);
}

TEST(CodeTextLookup, EmptyTableHasNoText) {
  EXPECT_EQ(code_text_lookup({}, 0), std::nullopt);
}

TEST(PathLengthCodeTable, CodesZeroToSix) {
  const double mm[] = {0.1, 0.125, 0.2, 0.5, 1, 2, 5};
  for (int code = 0; code <= 6; ++code) {
    std::optional<double> length = path_length_of_code(code);
    ASSERT_TRUE(length.has_value()) << code;
    EXPECT_DOUBLE_EQ(*length, mm[code]) << code;
  }
}

TEST(PathLengthCodeTable, SevenToTenThousandIsTenMillimetres) {
  for (double code : {7.0, 7.5, 8.0, 99.0, 9999.5, 10000.0})
    EXPECT_EQ(path_length_of_code(code), 10.0) << code;
}

TEST(PathLengthCodeTable, CodesWithoutARowHaveNoLength) {
  for (double code : {2.5, 6.5, -1.0, -0.5, 10000.5, 10001.0})
    EXPECT_EQ(path_length_of_code(code), std::nullopt) << code;
}

}  // namespace
}  // namespace ordelix
