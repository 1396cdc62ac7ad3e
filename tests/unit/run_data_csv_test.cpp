#include <string>

#include <gtest/gtest.h>

#include "run_data_values.h"
#include "rundata/run_data.h"

namespace ordelix {
namespace {

using test::text;

// A run whose last table has `columns` and `rows`, after a first one the CSV leaves out.
RunData with_last_table(std::vector<DataValue> columns, std::vector<std::vector<DataValue>> rows) {
  RunData data;
  data.tables.push_back({text("first"), {text("STD No.")}, {{1.0}}, {text("CONC = 1 * OD")}});
  data.tables.push_back({text("Data List"), std::move(columns), std::move(rows), {text("R")}});
  return data;
}

TEST(RunDataCsv, LastTableHeadingsThenRowsEndedByCrLf) {
  RunData data =
      with_last_table({text("Data No.   "), text("OD Value")}, {{1.0, 0.412}, {2.0, 0.298}});
  EXPECT_EQ(run_data_csv(data, ','), "Data No.   ,OD Value\r\n1,0.412\r\n2,0.298\r\n");
}

TEST(RunDataCsv, EmptyCellsAreEmptyFields) {
  RunData data = with_last_table({text("A"), std::monostate{}, text("C")},
                                 {{std::monostate{}, 1.5, std::monostate{}}});
  EXPECT_EQ(run_data_csv(data, ','), "A,,C\r\n,1.5,\r\n");
}

TEST(RunDataCsv, FieldsWithSeparatorQuoteOrLineEndAreQuoted) {
  RunData data = with_last_table({text("a,b"), text("say \"x\""), text("two\nlines"), text("cr\r")},
                                 {{text("a;b"), text("plain"), text(" blank "), text("")}});
  EXPECT_EQ(run_data_csv(data, ','),
            "\"a,b\",\"say \"\"x\"\"\",\"two\nlines\",\"cr\r\"\r\n"
            "a;b,plain, blank ,\r\n");
}

TEST(RunDataCsv, SemicolonSeparatorQuotesSemicolonsAndWritesDecimalCommas) {
  RunData data = with_last_table({text("a;b"), text("c,d"), text("OD")}, {{0.412, -1e-7, 1234.5}});
  EXPECT_EQ(run_data_csv(data, ';'), "\"a;b\";c,d;OD\r\n0,412;-1e-07;1234,5\r\n");
}

TEST(RunDataCsv, NumbersInTheirShortestExactForm) {
  RunData data = with_last_table({text("x")}, {{0.1}, {123456789012345680000.0}, {-0.0}, {595.0}});
  EXPECT_EQ(run_data_csv(data, ','), "x\r\n0.1\r\n123456789012345683968\r\n-0\r\n595\r\n");
}

TEST(RunDataCsv, UnicodeTextsStayAsTheirUtf8) {
  RunData data = with_last_table({text("\xC2\xB5g/ml")}, {{text("\xE2\x82\xAC")}});
  EXPECT_EQ(run_data_csv(data, ','), "\xC2\xB5g/ml\r\n\xE2\x82\xAC\r\n");
}

TEST(RunDataCsv, NoTableNoLines) {
  EXPECT_EQ(run_data_csv(RunData{}, ','), "");
}

}  // namespace
}  // namespace ordelix
