#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "report_tables.h"
#include "sample_table_report.h"
#include "test_support.h"

namespace ordelix::test {
namespace {

using namespace columns;

TEST_P(SampleTableReport, HeaderBlock) {
  const SampleTableLayout& v = GetParam();
  ReportSheet s = sheet(v.header({}) + samples(2));
  expect_header_rows(s, v.header_block);
  EXPECT_EQ(s.row_entries(v.blank_row).size(), 1u);
  // The header lines that carry an h are read but shown nowhere.
  EXPECT_FALSE(shows_text_starting_with(s, "h"));
}

TEST_P(SampleTableReport, DataTableHeadings) {
  const SampleTableLayout& v = GetParam();
  ReportSheet s = sheet(v.header({}) + samples(1));
  expect_row(s, v.heading_row, v.headings);
  expect_row(s, v.heading_row + 1, {{A, v.rule}});
}

TEST_P(SampleTableReport, Fonts) {
  const SampleTableLayout& v = GetParam();
  expect_fonts(sheet(v.header({}) + samples(1)), v.fonts);
}

TEST_P(SampleTableReport, FullSamplesFillTheirRows) {
  const SampleTableLayout& v = GetParam();
  const int n = v.full_samples;
  ReportSheet s = sheet(v.header({{v.count_line, std::to_string(n)}}) + samples(n));
  for (int k = 1; k <= n; ++k) {
    std::vector<ColumnValue> cells{{A, static_cast<double>(k)}};
    for (const SampleColumn& c : v.sample_columns) cells.push_back({c.col, numbered(c.line, k)});
    expect_row(s, v.first_data_row + k - 1, cells);
  }
  EXPECT_EQ(s.last_row(), v.first_data_row + n - 1);
}

TEST_P(SampleTableReport, PartialLastSampleStartsInColumnC) {
  const SampleTableLayout& v = GetParam();
  expect_cells(sheet(v.header({}) + samples(v.partial.after) + v.partial.lines), v.partial.cells);
}

TEST_P(SampleTableReport, SampleCount) {
  const SampleTableLayout& v = GetParam();
  for (const CountCase& c : v.counts)
    for (const std::string& count : c.counts) {
      SCOPED_TRACE(::testing::Message() << c.why << " (count \"" << count << "\")");
      ReportSheet s = sheet(v.header({{v.count_line, count}}) + samples(c.samples));
      expect_cells(s, c.cells);
      if (c.last_row) {
        EXPECT_EQ(s.last_row(), *c.last_row);
      }
    }
}

TEST_P(SampleTableReport, DataLinesAreCutToEightCharacters) {
  const SampleTableLayout& v = GetParam();
  Lines data = v.sample(1);
  for (const LongLine& l : v.long_lines) data.at(l.index) = l.text;
  ReportSheet s = sheet(v.header({}) + data);
  for (const LongLine& l : v.long_lines) expect_cell(s, v.first_data_row, l.col, l.cut);
}

// A code that shows nothing still leaves its row's label.
TEST_P(SampleTableReport, HeaderCodes) {
  const SampleTableLayout& v = GetParam();
  for (const CodeTable& table : v.codes) {
    const HeaderRow* label = nullptr;
    for (const HeaderRow& r : v.header_block)
      if (r.row == table.row) label = &r;
    ASSERT_NE(label, nullptr) << table.what << ": no header row " << table.row;
    for (const HeaderCode& code : table.codes) {
      SCOPED_TRACE(table.what + " \"" + code.text + "\"");
      ReportSheet s = sheet_of({{table.line, code.text}});
      expect_cell(s, table.row, D, code.shown);
      if (std::holds_alternative<Nothing>(code.shown))
        expect_cell(s, table.row, A, padded(label->label, label->width));
    }
  }
}

TEST_P(SampleTableReport, ShortFileRepeatsItsLastLine) {
  const ShortFile& f = GetParam().short_file;
  Lines lines = GetParam().header({});
  lines.resize(f.length);
  lines.back() = f.last_line;
  ReportSheet s = sheet(lines);
  expect_cells(s, f.cells);
  if (f.last_row) {
    EXPECT_EQ(s.last_row(), *f.last_row);
  }
}

}  // namespace
}  // namespace ordelix::test
