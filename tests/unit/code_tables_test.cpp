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

TEST(FiveCodeUnitTable, CodeFourIsMolPerMicrolitre) {
  const char* texts[] = {"ug/ml", "ug/ul", "ng/ul", "mg/ml", "mol/ul"};
  ASSERT_EQ(five_code_unit_table().size(), 5u);
  for (int code = 0; code < 5; ++code)
    EXPECT_EQ(code_text_lookup(five_code_unit_table(), code), texts[code]) << code;
  EXPECT_EQ(code_text_lookup(five_code_unit_table(), 5), std::nullopt);
  EXPECT_EQ(code_text_lookup(five_code_unit_table(), 3.5), std::nullopt);
}

TEST(FourCodeUnitTable, StopsAtThree) {
  const char* texts[] = {"ug/ml", "ug/ul", "ng/ul", "mg/ml"};
  ASSERT_EQ(four_code_unit_table().size(), 4u);
  for (int code = 0; code < 4; ++code)
    EXPECT_EQ(code_text_lookup(four_code_unit_table(), code), texts[code]) << code;
  EXPECT_EQ(code_text_lookup(four_code_unit_table(), 4), std::nullopt);
}

TEST(ProteinCodeTable, EveryRow) {
  const char* texts[] = {"BSA",         "Serum AL(M)", "Serum AL(H)", "lgG(M)",
                         "Lysozyme(C)", "Molar Ext C", "Ext Coeff."};
  ASSERT_EQ(protein_code_table().size(), 7u);
  for (int code = 0; code < 7; ++code)
    EXPECT_EQ(code_text_lookup(protein_code_table(), code), texts[code]) << code;
  EXPECT_EQ(code_text_lookup(protein_code_table(), 7), std::nullopt);
}

TEST(DyeCodeTable, TwentyTwoNames) {
  ASSERT_EQ(dye_code_table().size(), 22u);
  EXPECT_EQ(code_text_lookup(dye_code_table(), 0), "A.F.350");
  EXPECT_EQ(code_text_lookup(dye_code_table(), 9), "A.F.680");
  EXPECT_EQ(code_text_lookup(dye_code_table(), 10.0), "Cy3");
  EXPECT_EQ(code_text_lookup(dye_code_table(), 13), "Cy5.5");
  EXPECT_EQ(code_text_lookup(dye_code_table(), 14), "Oyster-500");
  EXPECT_EQ(code_text_lookup(dye_code_table(), 20), "Texas Red");
  EXPECT_EQ(code_text_lookup(dye_code_table(), 21), "Custom");
  EXPECT_EQ(code_text_lookup(dye_code_table(), 22), std::nullopt);
  EXPECT_EQ(code_text_lookup(dye_code_table(), 10.5), std::nullopt);
  for (std::size_t i = 0; i < dye_code_table().size(); ++i)
    EXPECT_EQ(dye_code_table()[i].code, static_cast<double>(i));
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
