// The workbook library's texts for numbers and its XML, which our patches
// write without printf, against printf's "%.16G" and "%d" and the formats
// the unpatched library wrote them with: every workbook's bytes rest on the
// two agreeing.

#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <limits>
#include <random>
#include <string>

#include <gtest/gtest.h>
#include <ioapi.h>
#include <unzip.h>
#include <xlsxwriter.h>

#include <xlsxwriter/utility.h>
#include <xlsxwriter/xmlwriter.h>

#include "platform/part_streams.h"
#include "sheet/cell_ref.h"
#include "zip/zip_bytes.h"
#include "zip/zip_reader.h"

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

TEST(WorkbookNumbers, IntegersAsPrintfWritesThem) {
  const std::int32_t edges[] = {0,
                                1,
                                9,
                                10,
                                99,
                                100,
                                -1,
                                -10,
                                1048576,
                                65535,
                                2147483647,
                                -2147483647,
                                std::numeric_limits<std::int32_t>::min()};
  for (std::int32_t value : edges) {
    char data[LXW_ATTR_32];
    char text[LXW_ATTR_32];
    std::snprintf(text, sizeof text, "%d", value);
    EXPECT_EQ(lxw_sprintf_int(data, value), static_cast<int>(std::strlen(text)));
    EXPECT_STREQ(data, text);
  }
}

TEST(WorkbookNumbers, CellReferencesNameRowsAsPrintfWritesThem) {
  char name[LXW_MAX_CELL_NAME_LENGTH];
  lxw_rowcol_to_cell(name, 0, 0);
  EXPECT_STREQ(name, "A1");
  lxw_rowcol_to_cell(name, 9, 25);
  EXPECT_STREQ(name, "Z10");
  lxw_rowcol_to_cell(name, 32766, 26);
  EXPECT_STREQ(name, "AA32767");
  lxw_rowcol_to_cell_abs(name, 1048575, 16383, 1, 1);
  EXPECT_STREQ(name, "$XFD$1048576");
}

// What the library writes into a part.
class PartText : public testing::Test {
 protected:
  ~PartText() override { std::fclose(part_); }
  std::string text() {
    std::fflush(part_);
    std::rewind(part_);
    std::string back(1 << 14, '\0');
    back.resize(std::fread(back.data(), 1, back.size(), part_));
    return back;
  }
  std::FILE* part_ = ordelix::part_stream_open(nullptr);
};

TEST_F(PartText, TagsAsTheirFormatsWroteThem) {
  struct xml_attribute_list attributes;
  struct xml_attribute* attribute;
  LXW_INIT_ATTRIBUTES();
  LXW_PUSH_ATTRIBUTES_INT("idx", 4000000000u);
  LXW_PUSH_ATTRIBUTES_STR("name", "a & \"b\" <c>");
  LXW_PUSH_ATTRIBUTES_DBL("ht", 0.1 + 0.2);
  lxw_xml_start_tag(part_, "c:pt", &attributes);
  lxw_xml_empty_tag(part_, "e", &attributes);
  lxw_xml_start_tag_unencoded(part_, "u", &attributes);
  lxw_xml_empty_tag_unencoded(part_, "v", nullptr);
  lxw_xml_data_element(part_, "t", "1 < 2 & 3", &attributes);
  lxw_xml_end_tag(part_, "c:pt");
  LXW_FREE_ATTRIBUTES();
  // "<%s", then " %s=\"%s\"" for each attribute, escaped or not, then ">"
  // or "/>"; the data escaped; "</%s>".
  const std::string escaped =
      " idx=\"-294967296\" name=\"a &amp; &quot;b&quot; &lt;c&gt;\" ht=\"0.3\"";
  EXPECT_EQ(text(), "<c:pt" + escaped + "><e" + escaped +
                        "/><u idx=\"-294967296\" name=\"a & \"b\" <c>\" ht=\"0.3\"><v/><t" +
                        escaped + ">1 &lt; 2 &amp; 3</t></c:pt>");
}

// Longer than the tag's buffer; an attribute is cut at its longest length
// less its terminator, as the fields it was copied into did.
TEST_F(PartText, LongPiecesAreWrittenWholeAndAttributesCut) {
  std::string value(3000, 'x');
  struct xml_attribute_list attributes;
  struct xml_attribute* attribute;
  LXW_INIT_ATTRIBUTES();
  LXW_PUSH_ATTRIBUTES_STR("a", value.substr(0, 2000).c_str());
  LXW_PUSH_ATTRIBUTES_STR(value.c_str(), "1");
  LXW_PUSH_ATTRIBUTES_STR("b", value.c_str());
  lxw_xml_data_element(part_, "t", value.c_str(), &attributes);
  LXW_FREE_ATTRIBUTES();
  std::string longest = value.substr(0, LXW_MAX_ATTRIBUTE_LENGTH - 1);
  EXPECT_EQ(text(), "<t a=\"" + value.substr(0, 2000) + "\" " + longest + "=\"1\" b=\"" + longest +
                        "\">" + value + "</t>");
}

// A part of a workbook the library wrote with `cells` on its one sheet.
std::string workbook_part(const char* part, void (*cells)(lxw_workbook*, lxw_worksheet*)) {
  lxw_set_tmpfile_function(ordelix::part_stream_open);
  ordelix::ZipBytes zip;
  zlib_filefunc64_def into_zip{};
  ordelix::zip_bytes_write_functions(zip, into_zip);
  lxw_workbook_options options{};
  options.output_functions = &into_zip;
  lxw_workbook* workbook = workbook_new_opt("workbook.xlsx", &options);
  cells(workbook, workbook_add_worksheet(workbook, nullptr));
  EXPECT_EQ(workbook_close(workbook), LXW_NO_ERROR);
  ordelix::ZipReader reader = ordelix::zip_reader_open(zip);
  EXPECT_EQ(unzLocateFile(reader.get(), part, 0), UNZ_OK);
  EXPECT_EQ(unzOpenCurrentFile(reader.get()), UNZ_OK);
  std::string text(1 << 16, '\0');
  text.resize(static_cast<std::size_t>(
      unzReadCurrentFile(reader.get(), text.data(), static_cast<unsigned>(text.size()))));
  unzCloseCurrentFile(reader.get());
  return text;
}

std::string between(const std::string& text, const std::string& first, const std::string& last) {
  std::size_t from = text.find(first);
  std::size_t to = text.find(last, from);
  if (from == std::string::npos || to == std::string::npos) return {};
  return text.substr(from, to + last.size() - from);
}

void cells_and_chart(lxw_workbook* workbook, lxw_worksheet* sheet) {
  lxw_format* bold = workbook_add_format(workbook);
  format_set_bold(bold);
  worksheet_write_string(sheet, 0, 0, "x", nullptr);
  worksheet_write_number(sheet, 0, 1, 0.1, bold);
  worksheet_write_blank(sheet, 1, 0, bold);
  worksheet_write_string(sheet, 1, 1, "y", bold);
  worksheet_write_blank(sheet, 2, 2, nullptr);
  worksheet_write_number(sheet, 2, 1, -1.5e-5, nullptr);
  worksheet_set_row(sheet, 999, 20, bold);
  worksheet_write_number(sheet, 999, 26, 1e16, nullptr);
  lxw_chart* chart = workbook_add_chart(workbook, LXW_CHART_LINE);
  chart_add_series(chart, nullptr, "=Sheet1!$B$1:$B$4");
  worksheet_insert_chart(sheet, 4, 4, chart);
}

TEST(WorkbookXml, CellsAndRowsAsTheirFormatsWroteThem) {
  // "<row r=\"%d\" spans=\"%d:%d\"" with the style, height and flags the
  // row has; "<c r=\"%s\" s=\"%d\"><v>%s</v></c>" for a number, with
  // " t=\"s\"" and the string's index for a text, the style left out when 0;
  // "<c r=\"%s\" s=\"%d\"/>" for a blank cell, and nothing without a format.
  EXPECT_EQ(between(workbook_part("xl/worksheets/sheet1.xml", cells_and_chart), "<sheetData>",
                    "</sheetData>"),
            "<sheetData>"
            "<row r=\"1\" spans=\"1:2\"><c r=\"A1\" t=\"s\"><v>0</v></c>"
            "<c r=\"B1\" s=\"1\"><v>0.1</v></c></row>"
            "<row r=\"2\" spans=\"1:2\"><c r=\"A2\" s=\"1\"/>"
            "<c r=\"B2\" s=\"1\" t=\"s\"><v>1</v></c></row>"
            "<row r=\"3\" spans=\"1:2\"><c r=\"B3\"><v>-1.5E-05</v></c></row>"
            "<row r=\"1000\" spans=\"27:27\" s=\"1\" customFormat=\"1\" ht=\"20\" "
            "customHeight=\"1\"><c r=\"AA1000\" s=\"1\"><v>1E+16</v></c></row>"
            "</sheetData>");
}

void cells_rewritten_and_wide(lxw_workbook* workbook, lxw_worksheet* sheet) {
  lxw_format* bold = workbook_add_format(workbook);
  format_set_bold(bold);
  worksheet_write_blank(sheet, 0, 0, bold);
  worksheet_write_boolean(sheet, 0, 1, 1, nullptr);
  worksheet_write_number(sheet, 0, 2, 2, nullptr);
  worksheet_write_string(sheet, 0, 0, "x", bold);
  worksheet_write_blank(sheet, 0, 2, bold);
  for (int col : {25, 26, 701, 702, 16383})
    worksheet_write_blank(sheet, 1, static_cast<lxw_col_t>(col), bold);
  for (lxw_col_t col = 0; col < 300; ++col) worksheet_write_blank(sheet, 2, col, bold);
}

TEST(WorkbookXml, CellsWrittenAgainAndLongRowsAsTheirFormatsWroteThem) {
  // A cell written again holds what was written last; a cell the general
  // functions write (a boolean) keeps its place among the others; columns
  // are named by one to three letters; a row's cells outnumber what the
  // library keeps together, in memory and in writing, and stay in order.
  // The spans are those of the rows' block of 16: columns 1 to 16384.
  std::string third = "<row r=\"3\" spans=\"1:16384\">";
  for (int col = 1; col <= 300; ++col)
    third += "<c r=\"" + ordelix::cell_name(3, col) + "\" s=\"1\"/>";
  EXPECT_EQ(between(workbook_part("xl/worksheets/sheet1.xml", cells_rewritten_and_wide),
                    "<sheetData>", "</sheetData>"),
            "<sheetData>"
            "<row r=\"1\" spans=\"1:16384\"><c r=\"A1\" s=\"1\" t=\"s\"><v>0</v></c>"
            "<c r=\"B1\" t=\"b\"><v>1</v></c><c r=\"C1\" s=\"1\"/></row>"
            "<row r=\"2\" spans=\"1:16384\"><c r=\"Z2\" s=\"1\"/><c r=\"AA2\" s=\"1\"/>"
            "<c r=\"ZZ2\" s=\"1\"/><c r=\"AAA2\" s=\"1\"/><c r=\"XFD2\" s=\"1\"/></row>" +
                third + "</row></sheetData>");
}

TEST(WorkbookXml, ChartPointsAsTheirFormatsWroteThem) {
  // "<c:pt idx=\"%d\"><c:v>%.16G</c:v></c:pt>" for each number, none for an
  // empty cell; a text is none of the values' cache.
  EXPECT_EQ(between(workbook_part("xl/charts/chart1.xml", cells_and_chart), "<c:numCache>",
                    "</c:numCache>"),
            "<c:numCache><c:formatCode>General</c:formatCode><c:ptCount val=\"4\"/>"
            "<c:pt idx=\"0\"><c:v>0.1</c:v></c:pt><c:pt idx=\"1\"><c:v>0</c:v></c:pt>"
            "<c:pt idx=\"2\"><c:v>-1.5E-05</c:v></c:pt></c:numCache>");
}

}  // namespace
