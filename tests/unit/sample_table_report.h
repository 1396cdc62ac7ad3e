#pragma once

#include <cstddef>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "report_tables.h"
#include "test_support.h"

// The protein UV and nucleic acid reports, plain and dye, share one shape: a
// header block of labels and values, a row of headings, and one row per sample
// with its lines in columns C, E, G ... Tests of that shape are written once
// (sample_table_report_test.cpp) and run on each report's layout, given here
// as data by the report's own test file.
namespace ordelix::test {

// A sample line shown in the data table: its column, and the name its line
// carries before the sample's number.
struct SampleColumn {
  int col;
  std::string line;
};

// The last sample cut short, after this many full ones.
struct PartialSample {
  int after;
  Lines lines;
  std::vector<Cell> cells;
};

// Sample counts on their line that act alike, with this many samples of data
// after the header.
struct CountCase {
  std::string why;
  std::vector<std::string> counts;
  int samples;
  std::vector<Cell> cells;
  std::optional<int> last_row = std::nullopt;
};

// A data line longer than eight characters, by its place in sample 1.
struct LongLine {
  std::size_t index;
  std::string text;
  int col;
  Expected cut;
};

// A header line that holds `text`, and what that shows in column D.
struct HeaderCode {
  std::string text;
  Expected shown;
};

// The codes of one header line, shown in column D of one header row.
struct CodeTable {
  std::string what;
  int line;
  int row;
  std::vector<HeaderCode> codes;
};

// The file cut after `length` lines, its last line replaced.
struct ShortFile {
  std::size_t length;
  std::string last_line;
  std::vector<Cell> cells;
  std::optional<int> last_row = std::nullopt;
};

// One report's rows, columns and lines, each worked out by hand from its layout.
struct SampleTableLayout {
  std::string name;
  std::string file_name;
  Lines (*header)(const Changes&);
  Lines (*sample)(int k);
  // The code tests convert the header and this many samples.
  int samples_with_header_changes;

  std::vector<HeaderRow> header_block;
  int blank_row;  // closes the header block, alone in its row

  int heading_row;
  std::vector<ColumnValue> headings;
  std::string rule;  // below the headings, alone in its row

  std::vector<FontArea> fonts;

  int first_data_row;
  std::vector<SampleColumn> sample_columns;
  int full_samples;
  PartialSample partial;

  int count_line;
  std::vector<CountCase> counts;

  std::vector<LongLine> long_lines;

  std::vector<CodeTable> codes;

  ShortFile short_file;
};

inline void PrintTo(const SampleTableLayout& layout, std::ostream* out) {
  *out << layout.name;
}

inline std::string layout_name(const ::testing::TestParamInfo<SampleTableLayout>& layout) {
  return layout.param.name;
}

class SampleTableReport : public ConversionTest,
                          public ::testing::WithParamInterface<SampleTableLayout> {
 protected:
  ReportSheet sheet(const Lines& lines) { return convert_lines(lines, GetParam().file_name).sheet; }
  Lines samples(int count) const {
    Lines lines;
    for (int k = 1; k <= count; ++k) lines = lines + GetParam().sample(k);
    return lines;
  }
  ReportSheet sheet_of(const Changes& changed) {
    const SampleTableLayout& v = GetParam();
    return sheet(v.header(changed) + samples(v.samples_with_header_changes));
  }
};

}  // namespace ordelix::test
