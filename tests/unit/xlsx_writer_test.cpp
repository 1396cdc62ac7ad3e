#include "xlsx/xlsx_writer.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "sheet/cell_ref.h"
#include "test_support.h"

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

std::string bytes_of(const ZipBytes& zip) {
  std::string bytes;
  for (std::string_view block : zip.blocks()) bytes += block;
  return bytes;
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
  EXPECT_EQ(bytes_of(from_kept), bytes_of(from_emptied));
  for (const ReportSheet& sheet : emptied) {
    EXPECT_EQ(sheet.last_row(), 0);
    EXPECT_TRUE(sheet.charts().empty());
  }
  EXPECT_EQ(kept[1].last_row(), 315);
  EXPECT_NE(bytes_of(from_kept).find("xl/charts/chart2.xml"), std::string::npos);
}

}  // namespace
}  // namespace ordelix
