#include <charconv>
#include <clocale>
#include <cstdlib>
#include <cstring>
#include <string>

#include <gtest/gtest.h>

#include "rundata/run_data.h"
#include "test_support.h"

namespace ordelix {
namespace {

// A run holding one header entry of `value` and nothing else.
RunData with_header_value(DataValue value) {
  RunData data;
  data.file = "run.PRO";
  data.mode = "protein";
  data.header.push_back({"Label", std::move(value)});
  return data;
}

// The JSON text of `value` as a header entry's value.
std::string value_json(DataValue value) {
  std::string json = run_data_json(with_header_value(std::move(value)));
  std::string before = R"("label":"Label","value":)";
  std::size_t at = json.find(before);
  if (at == std::string::npos) return "<no header entry in " + json + ">";
  at += before.size();
  return json.substr(at, json.find("}]", at) - at);
}

TEST(RunDataJson, ObjectOfEveryFieldInOrder) {
  RunData data;
  data.file = "bradford_std.PRO";
  data.mode = "protein";
  data.created = "2024-03-07T14:05:09+01:00";
  data.header = {{"Method", std::string("BRADFORD    ")}, {"Pathlength(mm)", 10.0}};
  DataTable table;
  table.columns = {std::string("STD No."), std::string("OD Value ")};
  table.rows = {{1.0, 0.012}, {2.0, std::monostate{}}};
  table.notes = {std::string("R = 0.999")};
  data.tables.push_back(table);
  data.warnings = {{13, "says 4 values; the file holds 3"}, {std::nullopt, "the file is empty"}};
  EXPECT_EQ(run_data_json(data),
            R"({"file":"bradford_std.PRO","mode":"protein","created":"2024-03-07T14:05:09+01:00",)"
            R"("header":[{"label":"Method","value":"BRADFORD    "},)"
            R"j({"label":"Pathlength(mm)","value":10}],)j"
            R"("tables":[{"title":null,"columns":["STD No.","OD Value "],)"
            R"("rows":[[1,0.012],[2,null]],"notes":["R = 0.999"]}],)"
            R"("warnings":[{"line":13,"text":"says 4 values; the file holds 3"},)"
            R"({"line":null,"text":"the file is empty"}]})"
            "\n");
}

TEST(RunDataJson, NoTimeIsNullAndEmptyListsStayLists) {
  RunData data;
  data.file = "x.TM";
  data.mode = "melting temperature";
  EXPECT_EQ(run_data_json(data),
            R"({"file":"x.TM","mode":"melting temperature","created":null,"header":[],)"
            R"("tables":[],"warnings":[]})"
            "\n");
}

TEST(RunDataJson, ArrayOfObjectsInTheirOrder) {
  RunData a;
  a.file = "a.OD";
  RunData b;
  b.file = "b.OD";
  std::vector<RunData> runs{a, b};
  std::string one_a = run_data_json(a);
  std::string one_b = run_data_json(b);
  one_a.pop_back();
  one_b.pop_back();
  EXPECT_EQ(run_data_json_array(runs), "[" + one_a + "," + one_b + "]\n");
  EXPECT_EQ(run_data_json_array({}), "[]\n");
}

TEST(RunDataJson, TextsEscapeQuotesBackslashesAndControlCharacters) {
  EXPECT_EQ(value_json(std::string("say \"OD\"")), R"("say \"OD\"")");
  EXPECT_EQ(value_json(std::string("C:\\runs")), R"("C:\\runs")");
  EXPECT_EQ(value_json(std::string("a\tb\nc\rd")), R"("a\u0009b\u000ac\u000dd")");
  EXPECT_EQ(value_json(std::string("\x01\x1f", 2)), R"("\u0001\u001f")");
  EXPECT_EQ(value_json(std::string("\0", 1)), R"("\u0000")");
}

TEST(RunDataJson, OtherCharactersStayAsTheirUtf8) {
  EXPECT_EQ(value_json(std::string("\xC2\xB5g/ml \xE2\x82\xAC \x7F /")),
            "\"\xC2\xB5g/ml \xE2\x82\xAC \x7F /\"");
  EXPECT_EQ(value_json(std::string("   ")), R"("   ")");
}

TEST(RunDataJson, EmptyCellIsNull) {
  EXPECT_EQ(value_json(std::monostate{}), "null");
}

TEST(RunDataJson, NumbersInTheirShortestExactForm) {
  EXPECT_EQ(value_json(0.1), "0.1");
  EXPECT_EQ(value_json(1e-7), "1e-07");
  EXPECT_EQ(value_json(-0.0), "-0");
  EXPECT_EQ(value_json(595.0), "595");
  EXPECT_EQ(value_json(-0.0123), "-0.0123");
  EXPECT_EQ(value_json(1.5e7), "1.5e+07");
  // 123456789012345680000 is held as 123456789012345683968: all its digits
  // are as short as any that read back, and nearest.
  EXPECT_EQ(value_json(123456789012345680000.0), "123456789012345683968");
}

TEST(RunDataJson, NumbersReadBackToTheSameDouble) {
  for (double value : {0.1, 1e-7, 123456789012345680000.0, -0.0, 501.9999999999999, 5e-324,
                       1.7976931348623157e308, 0.30000000000000004, 2.0 / 3.0}) {
    std::string text = value_json(value);
    double back = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), back);
    EXPECT_EQ(ec, std::errc()) << text;
    EXPECT_EQ(end, text.data() + text.size()) << text;
    EXPECT_EQ(std::memcmp(&back, &value, sizeof value), 0) << text;
  }
}

// A locale with a decimal comma, for the C library's number texts: built
// with localedef where the system has none; none on a system that has
// neither.
bool decimal_comma_locale_set([[maybe_unused]] const test::TempDir& dir) {
  for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "German_Germany.1252", "de-DE"})
    if (std::setlocale(LC_ALL, name) != nullptr) return true;
#ifndef _WIN32
  std::string made = dir.file("de_DE.UTF-8");
  std::string command = "localedef -i de_DE -f UTF-8 " + made + " >/dev/null 2>&1";
  if (std::system(command.c_str()) == -1) return false;
  test::set_environment("LOCPATH", dir.path().string().c_str());
  return std::setlocale(LC_ALL, "de_DE.UTF-8") != nullptr;
#else
  return false;
#endif
}

TEST(RunDataJson, DecimalCommaLocaleChangesNoNumber) {
  RunData data = with_header_value(0.5);
  data.tables.push_back({std::monostate{}, {std::string("OD")}, {{1234.5}, {1e-7}}, {}});
  std::string in_c = run_data_json(data);
  test::TempDir dir;
  if (!decimal_comma_locale_set(dir)) GTEST_SKIP() << "no locale with a decimal comma here";
  ASSERT_STREQ(std::localeconv()->decimal_point, ",");
  std::string with_comma = run_data_json(data);
  std::setlocale(LC_ALL, "C");
#ifndef _WIN32
  test::unset_environment("LOCPATH");
#endif
  EXPECT_EQ(with_comma, in_c);
  EXPECT_NE(in_c.find(R"("rows":[[1234.5],[1e-07]])"), std::string::npos) << in_c;
}

}  // namespace
}  // namespace ordelix
