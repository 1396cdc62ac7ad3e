#include "xlsx/xlsx_writer.h"

#include <algorithm>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "sheet/cell_ref.h"
#include "test_support.h"
#include "unpacked_zip.h"

namespace ordelix {
namespace {

// Two sheets as a combined workbook has them, each with a chart of its table.
std::vector<ReportSheet> two_scans() {
  std::vector<ReportSheet> sheets(2);
  for (int s = 0; s < 2; ++s) {
    ReportSheet& sheet = sheets[s];
    sheet.set_text(1, 1, "Method");
    sheet.set_date_time(2, 4, DateTime{2024, 3, 7, 9, 5, 2});
    for (int row = 16; row <= 315; ++row) {
      sheet.set_number(row, 3, 190 + 0.5 * (row - 16));
      sheet.set_number(row, 6, 0.001 * row * (s + 1));
    }
    LineChart chart;
    chart.width = 350;
    chart.height = 250;
    chart.title = "WL Scan";
    chart.values = *cell_range_parse("F16:F315");
    chart.categories = *cell_range_parse("C16:C315");
    sheet.add_line_chart(chart);
  }
  return sheets;
}

TEST(XlsxWriter, SheetsEmptiedOnceWrittenMakeTheSameWorkbook) {
  test::TempDir dir;
  std::vector<ReportSheet> kept = two_scans();
  std::vector<ReportSheet> emptied = two_scans();
  std::vector<WorkbookSheet> keeping{{&kept[0], "A"}, {&kept[1], "B"}};
  std::vector<WorkbookSheet> emptying{{&emptied[0], "A", &emptied[0]},
                                      {&emptied[1], "B", &emptied[1]}};
  ZipBytes from_kept;
  ZipBytes from_emptied;
  ASSERT_TRUE(xlsx_write_workbook(keeping, 981173106, dir.path().string(), from_kept).ok());
  ASSERT_TRUE(xlsx_write_workbook(emptying, 981173106, dir.path().string(), from_emptied).ok());
  EXPECT_EQ(from_kept.joined(), from_emptied.joined());
  for (const ReportSheet& sheet : emptied) {
    EXPECT_EQ(sheet.last_row(), 0);
    EXPECT_TRUE(sheet.charts().empty());
  }
  EXPECT_EQ(kept[1].last_row(), 315);
  EXPECT_NE(from_kept.joined().find("xl/charts/chart2.xml"), std::string::npos);
}

// Parts alike in a run of workbooks are compressed once, and parts that only
// look alike (the same size) must not be taken for them.
TEST(XlsxWriter, WorkbooksMadeInTurnHoldTheirOwnParts) {
  test::TempDir dir;
  const auto report_of = [&](const char* method) {
    ReportSheet sheet;
    sheet.set_text(1, 1, method);
    sheet.set_number(2, 1, 1.5);
    ZipBytes zip;
    EXPECT_TRUE(xlsx_write_report(sheet, 981173106, dir.path().string(), zip).ok());
    return zip;
  };
  const ZipBytes first = report_of("Method");
  const ZipBytes other = report_of("Methoe");
  const ZipBytes again = report_of("Method");

  EXPECT_EQ(first.joined(), again.joined());
  std::vector<std::string> names;
  for (const test::Unpacked& part : test::unpacked(other)) {
    names.push_back(part.name);
    if (part.name == "xl/sharedStrings.xml") {
      EXPECT_NE(part.bytes.find(">Methoe<"), std::string::npos);
      EXPECT_EQ(part.bytes.find("Method"), std::string::npos);
    }
    if (part.name == "xl/theme/theme1.xml") {
      EXPECT_TRUE(part.bytes.ends_with("</a:theme>\n"));
    }
  }
  EXPECT_EQ(std::count(names.begin(), names.end(), "xl/sharedStrings.xml"), 1);
  EXPECT_EQ(std::count(names.begin(), names.end(), "xl/theme/theme1.xml"), 1);
}

}  // namespace
}  // namespace ordelix
