#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "exportfile/export_reader.h"
#include "exportfile/line_pass.h"

namespace ordelix {
namespace {

std::vector<std::string> lines_of(std::string_view bytes) {
  std::string_view last;
  LinePass pass(bytes, last);
  std::vector<std::string> lines;
  while (!pass.at_end()) lines.emplace_back(pass.read());
  EXPECT_EQ(pass.lines_read(), static_cast<int>(lines.size()));
  return lines;
}

using Lines = std::vector<std::string>;

TEST(LinePass, SplitsAtCrLf) {
  EXPECT_EQ(lines_of("2\r\n0\r\n3"), (Lines{"2", "0", "3"}));
}

TEST(LinePass, SplitsAtLoneCr) {
  EXPECT_EQ(lines_of("2\r0\r3"), (Lines{"2", "0", "3"}));
}

TEST(LinePass, SplitsAtLoneLf) {
  EXPECT_EQ(lines_of("2\n0\n3"), (Lines{"2", "0", "3"}));
}

TEST(LinePass, MixedLineEnds) {
  EXPECT_EQ(lines_of("a\r\nb\rc\nd"), (Lines{"a", "b", "c", "d"}));
  // LF then CR is two line ends, not one.
  EXPECT_EQ(lines_of("a\n\rb"), (Lines{"a", "", "b"}));
  EXPECT_EQ(lines_of("a\r\r\nb"), (Lines{"a", "", "b"}));
}

TEST(LinePass, LastLineWithoutLineEndCounts) {
  EXPECT_EQ(lines_of("1\r\n2"), (Lines{"1", "2"}));
  EXPECT_EQ(lines_of("only"), (Lines{"only"}));
}

TEST(LinePass, TrailingLineEndAddsNoLine) {
  EXPECT_EQ(lines_of("1\r\n2\r\n"), (Lines{"1", "2"}));
  EXPECT_EQ(lines_of("1\r2\r"), (Lines{"1", "2"}));
  EXPECT_EQ(lines_of("1\n2\n"), (Lines{"1", "2"}));
  EXPECT_EQ(lines_of(""), Lines{});
}

TEST(LinePass, EmptyLinesCount) {
  EXPECT_EQ(lines_of("1\r\n\r\n\r\n4\r\n"), (Lines{"1", "", "", "4"}));
  EXPECT_EQ(lines_of("1\r\n\r\n"), (Lines{"1", ""}));
  EXPECT_EQ(lines_of("\r\n"), Lines{""});
}

TEST(LinePass, KeepsBlanksAndHighBytes) {
  EXPECT_EQ(lines_of(" 0.5  \r\n\xB5g\xE9\r\n"), (Lines{" 0.5  ", "\xB5g\xE9"}));
}

TEST(LinePass, ReadPastEndKeepsLastLine) {
  std::string_view last;
  LinePass pass("a\r\nb\r\n", last);
  EXPECT_EQ(pass.read(), "a");
  EXPECT_EQ(pass.read(), "b");
  EXPECT_TRUE(pass.at_end());
  EXPECT_EQ(pass.read(), "b");
  EXPECT_EQ(pass.read(), "b");
  EXPECT_EQ(pass.lines_read(), 2);
  EXPECT_EQ(last, "b");
}

TEST(LinePass, LastLineBufferIsSharedBetweenPasses) {
  std::string_view last;
  std::string bytes = "first\r\nsecond";
  LinePass(bytes, last).read();
  LinePass second(bytes, last);
  second.read();
  second.read();
  LinePass third(std::string_view(), last);
  EXPECT_EQ(third.read(), "second");
}

// The header cut of line k of numbered_file.
std::string cut_of_line(int k) {
  std::string number = std::to_string(k);
  std::string cut = "line-";
  cut.append(3 - number.size(), '0');
  cut += number;
  return cut;
}

// Lines longer than a header cut: "line-004xyz" is cut to "line-004".
std::string numbered_file(int lines) {
  std::string bytes;
  for (int k = 1; k <= lines; ++k) {
    bytes += cut_of_line(k);
    bytes += "xyz\r\n";
  }
  return bytes;
}

TEST(ExportReader, CountLines) {
  struct Case {
    const char* bytes;
    long count;
  };
  for (const Case& c : {Case{"", 0}, Case{"a", 1}, Case{"a\r\n", 1}, Case{"\r\n", 1},
                        Case{"a\r\n\r\nb", 3}, Case{"a\nb\rc\r\n", 3}, Case{"a\r\n\r\n", 2}}) {
    SCOPED_TRACE(c.bytes);
    ExportFile file("x.PRO", c.bytes, 0);
    ExportReader reader(file);
    reader.count_lines();
    EXPECT_EQ(reader.state().line_count, c.count);
  }
  ExportFile big("x.PRO", numbered_file(45), 0);
  ExportReader reader(big);
  reader.count_lines();
  reader.count_lines();
  EXPECT_EQ(reader.state().line_count, 45);
}

TEST(ExportReader, PrescanKeepsHeaderCutsOfFirstThreeLines) {
  ExportFile file("x.PRO", "2.000000009\r\n 7\r\n4       tail\r\nx\r\n", 0);
  ExportReader reader(file);
  reader.prescan(18);
  const ReadingState& s = reader.state();
  EXPECT_EQ(s.header_fields[0], "2.000000");
  EXPECT_EQ(s.header_fields[1], " 7");
  EXPECT_EQ(s.header_fields[2], "4       ");
  EXPECT_EQ(s.header_fields[3], "");
  EXPECT_DOUBLE_EQ(s.kind_code, 2);
  EXPECT_DOUBLE_EQ(s.variant_code, 4);
}

TEST(ExportReader, PrescanOfShortFileRepeatsLastLineRead) {
  ExportFile file("x.PRO", "2\r\n5\r\n", 0);
  ExportReader reader(file);
  reader.prescan(18);
  EXPECT_EQ(reader.state().header_fields[0], "2");
  EXPECT_EQ(reader.state().header_fields[1], "5");
  EXPECT_EQ(reader.state().header_fields[2], "5");
  EXPECT_DOUBLE_EQ(reader.state().variant_code, 5);
}

TEST(ExportReader, PrescanOfEmptyFileLeavesFieldsEmpty) {
  ExportFile file("x.PRO", "", 0);
  ExportReader reader(file);
  reader.prescan(18);
  for (int k = 0; k < 3; ++k) EXPECT_EQ(reader.state().header_fields[k], "");
  EXPECT_DOUBLE_EQ(reader.state().kind_code, 0);
}

TEST(ExportReader, ReadHeaderStoresLinesFromFourOn) {
  ExportFile file("x.PRO", numbered_file(12), 0);
  ExportReader reader(file);
  reader.read_header(8, {5, 7});
  const auto& f = reader.state().header_fields;
  EXPECT_EQ(f[0], cut_of_line(4));
  EXPECT_EQ(f[1], "l");
  EXPECT_EQ(f[2], cut_of_line(6));
  EXPECT_EQ(f[3], "l");
  EXPECT_EQ(f[4], cut_of_line(8));
  EXPECT_EQ(f[5], "");
  EXPECT_EQ(reader.field_of_line(8), cut_of_line(8));
  EXPECT_EQ(reader.field_of_line(3), "");
  EXPECT_EQ(reader.field_of_line(34), "");
}

TEST(ExportReader, ValueOfLineParsesItsField) {
  ExportFile file("x.PRO", "1\r\n2\r\n3\r\n12.5abc\r\n0.99876543\r\n", 0);
  ExportReader reader(file);
  reader.read_header(5);
  EXPECT_DOUBLE_EQ(reader.value_of_line(4), 12.5);
  EXPECT_DOUBLE_EQ(reader.value_of_line(5), 0.998765);
  EXPECT_DOUBLE_EQ(reader.value_of_line(6), 0);
}

TEST(ExportReader, FileLinesAreWholeAndCountedAlone) {
  ExportFile file("x.PRO", "first line\r\n\r\n3       and more\nlast", 0);
  ExportReader reader(file);
  EXPECT_EQ(reader.file_line_count(), 4);
  EXPECT_EQ(reader.state().line_count, 0) << "the report's own count stays unmade";
  EXPECT_EQ(reader.file_line(1), "first line");
  EXPECT_EQ(reader.file_line(2), "");
  EXPECT_EQ(reader.file_line(3), "3       and more");
  EXPECT_EQ(reader.file_line(4), "last");
  EXPECT_EQ(reader.file_line(5), "");
}

TEST(ExportReader, HeaderReadTellsHowFarItRead) {
  ExportFile file("x.PRO", numbered_file(20), 0);
  ExportReader reader(file);
  reader.prescan(18);
  EXPECT_EQ(reader.state().header_read_to, 0) << "the pre-scan keeps no header field";
  reader.read_header(16);
  EXPECT_EQ(reader.state().header_read_to, 16);
  reader.read_header(40);
  EXPECT_EQ(reader.state().header_read_to, 33) << "the fields end at line 33";
}

TEST(ExportReader, DataPassGivesHeaderCutsFromFirstLine) {
  ExportFile file("x.PRO", numbered_file(6), 0);
  ExportReader reader(file);
  std::vector<std::pair<int, std::string>> seen;
  reader.for_each_line_from(
      4, [&](int line, std::string_view value) { seen.emplace_back(line, std::string(value)); });
  EXPECT_EQ(seen, (std::vector<std::pair<int, std::string>>{
                      {4, cut_of_line(4)}, {5, cut_of_line(5)}, {6, cut_of_line(6)}}));
}

// Lines that the colorimetric header read takes, by line count, as its table lists them.
int colorimetric_header_table(long line_count) {
  for (long count : {18L, 22L, 24L, 26L, 28L, 30L, 32L, 34L, 36L})
    if (line_count == count) return 14;
  const std::pair<long, int> odd[] = {{21, 17}, {23, 19}, {25, 21}, {27, 23}, {29, 25},
                                      {31, 27}, {33, 29}, {35, 31}, {37, 33}};
  for (const auto& [count, lines] : odd)
    if (line_count == count) return lines;
  if (line_count >= 38 && line_count <= 10000) return 33;
  return 0;
}

TEST(ColorimetricHeader, LinesToReadFollowTheTable) {
  for (long count = -2; count <= 10003; ++count)
    ASSERT_EQ(colorimetric_header_lines(count), colorimetric_header_table(count))
        << "line count " << count;
  EXPECT_EQ(colorimetric_header_lines(32767), 0);
  EXPECT_EQ(colorimetric_header_lines(100000), 0);
}

// The protein reading order: pre-scan, line count, then the colorimetric header.
ReadingState protein_header_read(const std::string& bytes) {
  ExportFile file("x.PRO", bytes, 0);
  ExportReader reader(file);
  reader.prescan(18);
  reader.count_lines();
  reader.read_colorimetric_header();
  return reader.state();
}

TEST(ColorimetricHeader, ThirtyOneLinesFillFieldsToTwentyThree) {
  ReadingState s = protein_header_read(numbered_file(31));
  EXPECT_EQ(s.line_count, 31);
  for (int k = 0; k <= 23; ++k) EXPECT_EQ(s.header_fields[k], cut_of_line(k + 4)) << k;
  for (int k = 24; k < ReadingState::field_count; ++k) EXPECT_EQ(s.header_fields[k], "") << k;
}

TEST(ColorimetricHeader, LongFileFillsEveryField) {
  ReadingState s = protein_header_read(numbered_file(45));
  for (int k = 0; k < ReadingState::field_count; ++k)
    EXPECT_EQ(s.header_fields[k], cut_of_line(k + 4)) << k;
}

TEST(ColorimetricHeader, KFactorFileFillsFieldsToTen) {
  ReadingState s = protein_header_read(numbered_file(22));
  for (int k = 0; k <= 10; ++k) EXPECT_EQ(s.header_fields[k], cut_of_line(k + 4)) << k;
  EXPECT_EQ(s.header_fields[11], "");
}

TEST(ColorimetricHeader, NineteenAndTwentyLineFilesKeepOnlyThePrescan) {
  for (int lines : {19, 20}) {
    SCOPED_TRACE(lines);
    ReadingState s = protein_header_read(numbered_file(lines));
    EXPECT_EQ(s.line_count, lines);
    for (int k = 0; k < 3; ++k) EXPECT_EQ(s.header_fields[k], cut_of_line(k + 1));
    for (int k = 3; k < ReadingState::field_count; ++k) EXPECT_EQ(s.header_fields[k], "") << k;
  }
}

}  // namespace
}  // namespace ordelix
