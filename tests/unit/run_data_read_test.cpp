// Reading a report sheet as data by the marks its writer leaves, on sheets
// laid out here, so that each rule shows alone.

#include <string>

#include <gtest/gtest.h>

#include "run_data_values.h"
#include "rundata/iso_date_time.h"
#include "rundata/run_data_read.h"
#include "test_support.h"

namespace ordelix {
namespace {

using test::none;
using test::text;

using namespace test::columns;

using Rows = std::vector<std::vector<DataValue>>;
using Values = std::vector<DataValue>;

// A header row, a separator, a table headed in row 4 with its rows from 6.
ReportSheet small_report() {
  ReportSheet sheet;
  sheet.mark_header_row(1);
  sheet.set_text(1, A, "Unit      ");
  sheet.set_text(1, D, "mg/l ");
  sheet.set_layout_text(2, A, " -----");
  int table = sheet.add_table({{A, A}, {C, C}});
  sheet.mark_table_rows(table, RowPart::table_heading, 4, 4);
  sheet.mark_table_rows(table, RowPart::table_data, 6);
  sheet.set_text(4, A, "No. ");
  sheet.set_text(4, C, "OD");
  sheet.set_layout_text(5, A, " -----");
  sheet.set_number(6, A, 1);
  sheet.set_text(6, C, "0.5");
  sheet.set_number(7, A, 2);
  sheet.set_text(7, C, "n/a ");
  return sheet;
}

TEST(RunDataRead, HeaderLabelsLoseTheirPaddingValuesKeepTheirs) {
  RunData data = run_data_read(small_report(), 0);
  ASSERT_EQ(data.header.size(), 1u);
  EXPECT_EQ(data.header[0].label, "Unit");
  EXPECT_EQ(data.header[0].value, text("mg/l "));
}

TEST(RunDataRead, TableIsItsHeadingAndRowsWithoutLayout) {
  RunData data = run_data_read(small_report(), 0);
  ASSERT_EQ(data.tables.size(), 1u);
  EXPECT_EQ(data.tables[0].title, none);
  EXPECT_EQ(data.tables[0].columns, (Values{text("No. "), text("OD")}));
  EXPECT_EQ(data.tables[0].rows, (Rows{{1.0, 0.5}, {2.0, text("n/a ")}}));
  EXPECT_TRUE(data.tables[0].notes.empty());
}

TEST(RunDataRead, HeaderRowWithoutValueAndEmptyTextsAreNone) {
  ReportSheet sheet = small_report();
  sheet.mark_header_row(3);
  sheet.set_text(3, A, "Interval(s) ");
  sheet.set_text(1, D, "");
  sheet.set_text(7, C, "");
  RunData data = run_data_read(sheet, 0);
  ASSERT_EQ(data.header.size(), 2u);
  EXPECT_EQ(data.header[0].value, none);
  EXPECT_EQ(data.header[1].label, "Interval(s)");
  EXPECT_EQ(data.header[1].value, none);
  EXPECT_EQ(data.tables[0].rows, (Rows{{1.0, 0.5}, {2.0, none}}));
}

TEST(RunDataRead, ValuesUnderOtherColumnsThanTheirHeadings) {
  ReportSheet sheet;
  int table = sheet.add_table({{A, C}, {D, F}});
  sheet.mark_table_rows(table, RowPart::table_title, 14, 14);
  sheet.mark_table_rows(table, RowPart::table_heading, 15, 15);
  sheet.mark_table_rows(table, RowPart::table_data, 16);
  sheet.set_text(14, A, "Data List  ");
  sheet.set_text(15, A, "C  ");
  sheet.set_number(16, C, 25);
  sheet.set_number(16, F, 0.4);
  sheet.set_number(17, C, 25.5);
  RunData data = run_data_read(sheet, 0);
  ASSERT_EQ(data.tables.size(), 1u);
  EXPECT_EQ(data.tables[0].title, text("Data List  "));
  EXPECT_EQ(data.tables[0].columns, (Values{text("C  "), none})) << "D15 is empty";
  EXPECT_EQ(data.tables[0].rows, (Rows{{25.0, 0.4}, {25.5, none}}));
}

TEST(RunDataRead, NotesBelongToTheirTableInRowOrder) {
  ReportSheet sheet = small_report();
  int table = 0;
  sheet.mark_table_rows(table, RowPart::table_note, 8, 8);
  sheet.set_text(8, A, "CONC = 2 * OD ");
  sheet.set_text(8, E, "R = 0.999 ");
  RunData data = run_data_read(sheet, 0);
  EXPECT_EQ(data.tables[0].notes, (Values{text("CONC = 2 * OD "), text("R = 0.999 ")}));
  EXPECT_EQ(data.tables[0].rows, (Rows{{1.0, 0.5}, {2.0, text("n/a ")}}));
}

TEST(RunDataRead, ANoteAboveTheFirstTableIsItsOwn) {
  ReportSheet sheet = small_report();
  sheet.mark_table_rows(0, RowPart::table_note, 3, 3);
  sheet.set_text(3, A, "CONC = 2.5 * OD + 0.05 ");
  RunData data = run_data_read(sheet, 0);
  EXPECT_EQ(data.tables[0].notes, (Values{text("CONC = 2.5 * OD + 0.05 ")}));
}

TEST(RunDataRead, ALaterMarkOverridesAnEarlierOneOnTheRowsTheyShare) {
  ReportSheet sheet = small_report();
  // A second table headed in row 7, over the first one's open end.
  int second = sheet.add_table({{A, A}});
  sheet.mark_table_rows(second, RowPart::table_heading, 7, 7);
  sheet.mark_table_rows(second, RowPart::table_data, 8);
  sheet.set_number(8, A, 3);
  RunData data = run_data_read(sheet, 0);
  ASSERT_EQ(data.tables.size(), 2u);
  EXPECT_EQ(data.tables[0].rows, (Rows{{1.0, 0.5}}));
  EXPECT_EQ(data.tables[1].columns, (Values{2.0, text("n/a ")}))
      << "the cells of row 7 head the second table";
  EXPECT_EQ(data.tables[1].rows, (Rows{{3.0, none}}));
}

TEST(RunDataRead, CellsWithoutAPlaceAreNotesOfTheTableAboveOrOfTheFirst) {
  ReportSheet sheet = small_report();
  sheet.set_number(1, E, 7);       // beside a header row's label and value
  sheet.set_text(3, C, "before");  // a row of no part, above the table
  sheet.mark_header_row(9);        // a header row below it
  sheet.set_text(9, A, "Label ");
  sheet.set_text(9, C, "after");
  RunData data = run_data_read(sheet, 0);
  ASSERT_EQ(data.header.size(), 2u);
  EXPECT_EQ(data.header[1].label, "Label");
  EXPECT_EQ(data.header[1].value, none);
  EXPECT_EQ(data.tables[0].notes, (Values{7.0, text("before"), text("after")}));
  EXPECT_EQ(data.tables[0].rows, (Rows{{1.0, 0.5}, {2.0, text("n/a ")}}));
}

TEST(RunDataRead, WithoutTablesCellsWithoutAPlaceAreUnlabelledHeaderValues) {
  ReportSheet sheet;
  sheet.mark_header_row(1);
  sheet.set_text(1, A, "Method ");
  sheet.set_text(2, C, "stray");
  sheet.set_layout_text(3, A, "   ");
  RunData data = run_data_read(sheet, 0);
  ASSERT_EQ(data.header.size(), 2u);
  EXPECT_EQ(data.header[1].label, "");
  EXPECT_EQ(data.header[1].value, text("stray"));
  EXPECT_TRUE(data.tables.empty());
}

TEST(RunDataRead, ALayoutCellWrittenOverIsData) {
  ReportSheet sheet = small_report();
  sheet.set_number(5, A, 9);
  RunData data = run_data_read(sheet, 0);
  EXPECT_EQ(data.tables[0].notes, (Values{9.0})) << "row 5 is of no part";
}

TEST(RunDataRead, TextsAreTheirWindows1252InUtf8) {
  ReportSheet sheet = small_report();
  sheet.set_text(1, D, "\xB5g/ml \x80");
  RunData data = run_data_read(sheet, 0);
  EXPECT_EQ(data.header[0].value, text("\xC2\xB5g/ml \xE2\x82\xAC"));
}

TEST(RunDataRead, NumbersAsTheWorkbookHoldsThemInSixteenDigits) {
  ReportSheet sheet = small_report();
  sheet.set_number(6, C, 25.1 + 0.1);  // 25.200000000000003
  sheet.set_number(7, C, 501.9999999999999);
  RunData data = run_data_read(sheet, 0);
  EXPECT_EQ(data.tables[0].rows, (Rows{{1.0, 25.2}, {2.0, 501.9999999999999}}));
}

TEST(RunDataRead, DateIsTheIsoTextOfItsInstant) {
  ReportSheet sheet = small_report();
  sheet.mark_header_row(3);
  sheet.set_text(3, A, "Time & Date ");
  // 2024-03-07 13:05:09 UTC shown an hour later.
  sheet.set_date_time(3, D, DateTime{2024, 3, 7, 14, 5, 9});
  RunData data = run_data_read(sheet, 1709816709);
  EXPECT_EQ(data.created, "2024-03-07T14:05:09+01:00");
  EXPECT_EQ(data.header[1].value, text("2024-03-07T14:05:09+01:00"));
}

TEST(RunDataRead, NoDateNoTime) {
  EXPECT_EQ(run_data_read(small_report(), 1709816709).created, "");
}

TEST(IsoDateTime, OffsetBothWaysAndInSeconds) {
  // 2024-07-01 02:30:00 UTC.
  EXPECT_EQ(iso_date_time({2024, 7, 1, 4, 30, 0}, 1719801000), "2024-07-01T04:30:00+02:00");
  EXPECT_EQ(iso_date_time({2024, 6, 30, 21, 0, 0}, 1719801000), "2024-06-30T21:00:00-05:30");
  EXPECT_EQ(iso_date_time({2024, 7, 1, 2, 30, 0}, 1719801000), "2024-07-01T02:30:00+00:00");
  // 1902-01-01 00:00:00 UTC (within a 32-bit time), shown at a local mean time
  // 53 minutes 28 seconds ahead.
  EXPECT_EQ(iso_date_time({1902, 1, 1, 0, 53, 28}, -2145916800), "1902-01-01T00:53:28+00:53:28");
}

}  // namespace
}  // namespace ordelix
