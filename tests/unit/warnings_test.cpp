// Warnings of each kind at their exact line, raised on bundled examples with
// one fault put in by hand; and none where the file is as its report expects.

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "core/conversion.h"
#include "test_support.h"

namespace ordelix {
namespace {

using test::Lines;

using Found = std::vector<std::pair<ProblemKind, long>>;

constexpr auto count_beyond = ProblemKind::count_beyond_file;
constexpr auto after_data = ProblemKind::lines_after_data;
constexpr auto no_number = ProblemKind::not_a_number;
constexpr auto outside_table = ProblemKind::code_outside_table;
constexpr auto short_file = ProblemKind::file_shorter_than_header;
constexpr auto unread = ProblemKind::header_not_read;
constexpr auto beyond_rows = ProblemKind::rows_beyond_limit;

Lines example(const std::string& name) {
  std::string bytes = test::read_bytes(std::string(ORDELIX_EXAMPLES) + "/" + name);
  Lines lines;
  for (std::size_t at = 0, end; (end = bytes.find("\r\n", at)) != std::string::npos; at = end + 2)
    lines.push_back(bytes.substr(at, end - at));
  return lines;
}

Found found(const Conversion& c) {
  Found f;
  for (const Problem& p : c.warnings) f.emplace_back(p.kind, p.line);
  return f;
}

// One line of an example holding `text` instead, and the one warning that
// gives, at that line.
struct Fault {
  const char* example;
  int line;
  const char* text;
  const char* warning;
};

class WarningTest : public test::ConversionTest {
 protected:
  void expect_faults(ProblemKind kind, std::initializer_list<Fault> faults) {
    for (const Fault& f : faults) {
      SCOPED_TRACE(std::string(f.example) + " line " + std::to_string(f.line));
      Conversion c = changed(f.example, {{f.line, f.text}});
      EXPECT_EQ(found(c), (Found{{kind, f.line}}));
      EXPECT_EQ(only_text(c), f.warning);
    }
  }
  // The example `name` with line n replaced by `text` for each {n, text}.
  Conversion changed(const std::string& name, std::vector<std::pair<int, std::string>> lines) {
    Lines l = example(name);
    for (const auto& [n, text] : lines) l.at(static_cast<std::size_t>(n - 1)) = text;
    return convert(l, name);
  }
  Conversion convert(const Lines& lines, const std::string& name) {
    return convert_lines(lines, name);
  }
  // The only warning of `c`, worded.
  static std::string only_text(const Conversion& c) {
    EXPECT_EQ(c.warnings.size(), 1u);
    return c.warnings.empty() ? std::string() : problem_text(c.warnings.front());
  }
};

Lines first_lines(Lines lines, std::size_t count) {
  lines.resize(count);
  return lines;
}

using CountBeyondFile = WarningTest;
using LinesAfterData = WarningTest;
using NotANumber = WarningTest;
using CodeOutsideTable = WarningTest;
using FileShorterThanHeader = WarningTest;
using HeaderNotRead = WarningTest;
using RowsBeyondLimit = WarningTest;
using CleanFiles = WarningTest;

TEST_F(CountBeyondFile, SeriesAtTheirDataNumber) {
  // Kinetics: 4 values on lines 14 to 17; 41 promised, 4 + 35 held.
  Lines kinetics = example("kinetics_step10.TSC");
  kinetics[12] = "41";
  kinetics.insert(kinetics.end(), 35, "0.5");
  Conversion c = convert(kinetics, "k.TSC");
  EXPECT_EQ(found(c), (Found{{count_beyond, 13}}));
  EXPECT_EQ(only_text(c), "says 41 values; the file holds 39");

  c = convert(first_lines(example("kinetics_step10.TSC"), 15), "k.TSC");
  EXPECT_EQ(only_text(c), "says 4 values; the file holds 2");
  EXPECT_EQ(found(convert(first_lines(example("melt_step05.TM"), 21), "m.TM")),
            (Found{{count_beyond, 17}}));
  c = changed("scan_step1.WSC", {{13, "5"}});
  EXPECT_EQ(found(c), (Found{{count_beyond, 13}}));
  EXPECT_EQ(only_text(c), "says 5 values; the file holds 3");
}

TEST_F(CountBeyondFile, SamplesAtTheirCount) {
  expect_faults(
      count_beyond,
      {
          {"lowry_kfactor.PRO", 14, "3", "says 3 samples (12 values); the file holds 8"},
          {"bradford_std.PRO", 19, "4", "says 4 samples (16 values); the file holds 12"},
          {"con_std_w1.CON", 21, "5", "says 5 samples (20 values); the file holds 12"},
          {"con_kfactor_w2.CON", 14, "3", "says 3 samples (15 values); the file holds 10"},
          {"pht_w1_abs.PHT", 11, "6", "says 6 samples (12 values); the file holds 8"},
          {"culture_cells.OD", 14, "5", "says 5 samples (10 values); the file holds 8"},
          {"protein_uv.PRO", 24, "4", "says 4 samples (24 values); the file holds 18"},
          {"protein_uv_dye.PRO", 25, "3", "says 3 samples (27 values); the file holds 18"},
          {"dsdna.NUC", 16, "4", "says 4 samples (32 values); the file holds 24"},
          {"rna_dye.NUC", 20, "3", "says 3 samples (33 values); the file holds 22"},
      });
}

TEST_F(CountBeyondFile, StandardsAndWavelengthsAtTheirCount) {
  // Nine standards need lines 12 to 29; a file of 25 lines holds 14 of them
  // and ends inside the header, which runs to line 33.
  Lines bradford = example("bradford_std.PRO");
  bradford[7] = "9";
  Conversion c = convert(first_lines(bradford, 25), "b.PRO");
  EXPECT_EQ(found(c), (Found{{count_beyond, 8}, {short_file, 25}}));
  EXPECT_EQ(problem_text(c.warnings.front()), "says 9 standards (18 values); the file holds 14");

  // Six wavelengths need lines 9 to 14; a photometry file of 13 lines holds 5.
  Lines photometry = example("pht_w1_abs.PHT");
  photometry[7] = "6";
  c = convert(first_lines(photometry, 13), "p.PHT");
  EXPECT_EQ(found(c), (Found{{count_beyond, 8}, {short_file, 13}}));
  EXPECT_EQ(problem_text(c.warnings.front()), "says 6 wavelengths; the file holds 5");
}

TEST_F(LinesAfterData, SeriesTellHowManyFromTheFirst) {
  Lines kinetics = example("kinetics_step10.TSC");
  kinetics.insert(kinetics.end(), {"0.7", "0.6"});
  Conversion c = convert(kinetics, "k.TSC");
  EXPECT_EQ(found(c), (Found{{after_data, 18}}));
  EXPECT_EQ(only_text(c), "2 lines after the data are not in the report");

  Lines melt = example("melt_step05.TM");
  melt.push_back("");
  c = convert(melt, "m.TM");
  EXPECT_EQ(found(c), (Found{{after_data, 23}}));
  EXPECT_EQ(only_text(c), "1 line after the data is not in the report");

  EXPECT_EQ(found(changed("scan_step1.WSC", {{13, "2"}})), (Found{{after_data, 16}}));
}

TEST_F(LinesAfterData, ConcentrationSamplesWithoutACount) {
  // No sample count above 0 lists no sample: every line after the count.
  EXPECT_EQ(found(changed("con_std_w1.CON", {{21, "0"}})), (Found{{after_data, 22}}));
  // With two wavelengths the K-factor samples begin at line 16, after the
  // unread line 15.
  Conversion c = changed("con_kfactor_w2.CON", {{14, "0"}});
  EXPECT_EQ(found(c), (Found{{after_data, 16}}));
  EXPECT_EQ(only_text(c), "10 lines after the data are not in the report");
}

TEST_F(NotANumber, HeaderLinesQuoteTheirText) {
  Conversion c = changed("kinetics_step10.TSC", {{13, "4abc"}});
  EXPECT_EQ(found(c), (Found{{no_number, 13}}));
  EXPECT_EQ(only_text(c), "holds \"4abc\", a number with more after it; read as 4");

  c = changed("kinetics_step10.TSC", {{11, "x"}});
  EXPECT_EQ(found(c), (Found{{no_number, 11}}));
  EXPECT_EQ(only_text(c), "holds \"x\", which is no number; read as 0");

  c = changed("lowry_kfactor.PRO", {{13, "2,5"}});
  EXPECT_EQ(found(c), (Found{{no_number, 13}}));
  EXPECT_EQ(only_text(c), "holds \"2,5\", a number with more after it; read as 2");

  c = changed("melt_step05.TM", {{9, ""}});
  EXPECT_EQ(found(c), (Found{{no_number, 9}}));
  EXPECT_EQ(only_text(c), "holds \"\", which is no number; read as 0");
}

TEST_F(NotANumber, DataLinesThatAreComputedWith) {
  // Cells/ml are the OD times multiple and factor: the OD of sample 2 is line 18.
  Conversion c = changed("culture_cells.OD", {{18, "OVER"}});
  EXPECT_EQ(found(c), (Found{{no_number, 18}}));
  EXPECT_EQ(only_text(c), "holds \"OVER\", which is no number; read as 0");
  // Plain OD values are copied, not computed with.
  EXPECT_EQ(found(changed("culture_od.OD", {{18, "OVER"}})), Found{});
}

TEST_F(NotANumber, PhotometryPathLengthOfNoNumberStaysEmpty) {
  Conversion c = changed("pht_w1_abs.PHT", {{5, "4 mm"}});
  EXPECT_EQ(found(c), (Found{{no_number, 5}}));
  EXPECT_EQ(only_text(c),
            "holds \"4 mm\", a number with more after it; the path length stays empty");
}

TEST_F(CodeOutsideTable, CodesThatLeaveTheirCellEmpty) {
  expect_faults(
      outside_table,
      {
          {"kinetics_step10.TSC", 5, "10001",
           "holds \"10001\", which is none of the path length codes; the path length stays "
           "empty"},
          {"kinetics_step10.TSC", 5, "2.5",
           "holds \"2.5\", which is none of the path length codes; the path length stays "
           "empty"},
          {"kinetics_step10.TSC", 5, "-1",
           "holds \"-1\", which is none of the path length codes; the path length stays empty"},
          {"kinetics_step10.TSC", 11, "6",
           "holds \"6\", which is none of the interval codes; the interval stays empty and "
           "every time is 0"},
          {"kinetics_step10.TSC", 6, "5",
           "holds \"5\", which is none of the data mode codes; the data mode stays empty"},
          {"scan_step1.WSC", 11, "9",
           "holds \"9\", which is none of the interval codes; the interval stays empty and "
           "every wavelength is the start"},
          {"lowry_kfactor.PRO", 7, "16",
           "holds \"16\", which is none of the unit codes; the unit stays empty"},
          {"protein_uv.PRO", 7, "2",
           "holds \"2\", which is none of the background codes 0 and 1; the background stays "
           "empty"},
          {"protein_uv.PRO", 14, "7",
           "holds \"7\", which is none of the protein codes; the protein stays empty"},
          {"protein_uv.PRO", 23, "5",
           "holds \"5\", which is none of the unit codes; the unit stays empty"},
          {"protein_uv_dye.PRO", 19, "22",
           "holds \"22\", which is none of the dye codes; the dye type stays empty"},
          {"rna_dye.NUC", 19, "4",
           "holds \"4\", which is none of the unit codes; the unit stays empty"},
      });
}

TEST_F(CodeOutsideTable, CodesThatFallToAnotherRow) {
  expect_faults(
      outside_table,
      {
          {"dsdna.NUC", 7, "x",
           "holds \"x\", which is none of the background codes 0 and 1; the report shows Off"},
          {"culture_cells.OD", 13, "7",
           "holds \"7\", which is none of the multiple codes 0 and 1; the report shows "
           "1000000"},
          {"culture_cells.OD", 12, "2",
           "holds \"2\", which is none of the unit codes 0 and 1; the report shows cells/ml "
           "without factor and multiple"},
          {"pht_w1_abs.PHT", 10, "2",
           "holds \"2\", which is none of the data mode codes 0 and 1; the report shows "
           "OD/Abs"},
          {"pht_w1_abs.PHT", 5, "99999",
           "holds \"99999\", which is none of the path length codes; the report shows 10"},
      });
}

TEST_F(CodeOutsideTable, CodesThatChangeTheLayout) {
  Conversion c = changed("lowry_kfactor.PRO", {{9, "2"}});
  EXPECT_EQ(found(c), (Found{{outside_table, 9}}));
  EXPECT_EQ(only_text(c),
            "holds \"2\", which is none of the calibration codes 0 and 1; the report ends after "
            "its header");
  EXPECT_EQ(found(changed("con_std_w1.CON", {{9, "2"}})), (Found{{outside_table, 9}}));

  c = changed("bradford_std.PRO", {{8, "0"}});
  EXPECT_EQ(found(c), (Found{{outside_table, 8}}));
  EXPECT_EQ(only_text(c),
            "holds \"0\", which is none of the standard counts 1 to 9; the report shows no "
            "equation and no data numbers");
  c = changed("con_std_w1.CON", {{8, "12"}});
  EXPECT_EQ(found(c), (Found{{outside_table, 8}}));
  EXPECT_NE(only_text(c).find("no equation and no samples"), std::string::npos);

  EXPECT_EQ(found(changed("con_std_w1.CON", {{10, "4"}})), (Found{{outside_table, 10}}));
  c = changed("pht_w1_abs.PHT", {{8, "7"}});
  EXPECT_EQ(found(c), (Found{{outside_table, 8}}));
  EXPECT_EQ(only_text(c),
            "holds \"7\", which is none of the wavelength counts 1 to 6; the report shows no "
            "wavelengths and one value per row");
}

TEST_F(FileShorterThanHeader, AtTheLastLine) {
  Conversion c = convert(first_lines(example("kinetics_step10.TSC"), 10), "k.TSC");
  EXPECT_EQ(found(c), (Found{{short_file, 10}}));
  EXPECT_EQ(only_text(c),
            "the file ends here, inside a header of 13 lines; the report reads the missing "
            "lines as this one");
  EXPECT_EQ(found(convert(first_lines(example("protein_uv.PRO"), 20), "u.PRO")),
            (Found{{short_file, 20}}));
  EXPECT_EQ(found(convert(first_lines(example("rna_dye.NUC"), 19), "r.NUC")),
            (Found{{short_file, 19}}));

  // One empty line is no empty file: the header's first line is there.
  c = convert({""}, "blank.TSC");
  EXPECT_EQ(found(c), (Found{{short_file, 1}}));
}

TEST_F(HeaderNotRead, AtTheFirstLineLeftUnread) {
  // A standard-curve file one line short has 30 lines, whose header read
  // stops at line 14: the fit and the sample count, lines 16 to 19, go unread.
  Conversion c = convert(first_lines(example("bradford_std.PRO"), 30), "b.PRO");
  EXPECT_EQ(found(c), (Found{{unread, 15}}));
  EXPECT_EQ(only_text(c),
            "a file of 30 lines gets its header read to line 14 only, so lines 15 to 19 are "
            "not in the report");

  // 19 lines get no header read at all.
  c = convert(first_lines(example("lowry_kfactor.PRO"), 19), "l.PRO");
  EXPECT_EQ(found(c), (Found{{unread, 4}}));
  EXPECT_EQ(only_text(c),
            "a file of 19 lines gets no header read, so lines 4 to 11 are not in the report");
  EXPECT_EQ(found(convert(first_lines(example("pht_w1_abs.PHT"), 12), "p.PHT")),
            (Found{{unread, 4}}));
}

TEST_F(RowsBeyondLimit, AtTheFirstValueLeftOut) {
  // Value n of the scan stands in row n + 15: row 32768 holds line 32766.
  Lines scan = example("scan_step1.WSC");
  scan = first_lines(scan, 13);
  scan[12] = "40000";
  scan.insert(scan.end(), 40000, "0.5");
  Conversion c = convert(scan, "s.WSC");
  EXPECT_EQ(found(c), (Found{{beyond_rows, 32766}}));
  // Values 32753 to 40000, in rows 32768 to 40015, one line of the file each;
  // the wavelengths beside them are the report's own.
  EXPECT_EQ(only_text(c), "7248 values beyond row 32767 were left out");

  // Value n of a kinetics run stands in row 13 + n, on line 13 + n: rows
  // 32768 to 40013 hold values 32755 to 40000.
  Lines kinetics = first_lines(example("kinetics_step10.TSC"), 13);
  kinetics[12] = "40000";
  kinetics.insert(kinetics.end(), 40000, "0.5");
  c = convert(kinetics, "k.TSC");
  EXPECT_EQ(found(c), (Found{{beyond_rows, 32768}}));
  EXPECT_EQ(only_text(c), "7246 values beyond row 32767 were left out");

  // Sample k stands in row 14 + k, its number on line 13 + 2k and its OD on
  // the next: samples 32754 to 33000 leave out two lines each.
  Lines od = first_lines(example("culture_cells.OD"), 14);
  od[13] = "33000";
  for (int k = 1; k <= 33000; ++k) od.insert(od.end(), {std::to_string(k), "0.5"});
  c = convert(od, "o.OD");
  EXPECT_EQ(found(c), (Found{{beyond_rows, 13 + 2 * 32754}}));
  EXPECT_EQ(only_text(c), "494 values beyond row 32767 were left out");
}

TEST_F(RowsBeyondLimit, OfRowsACountNumbersAtTheCount) {
  // The count asks for times in rows 14 to 100000012, and the file holds no
  // value beyond row 32767: the rows from 32768 on are what is left out.
  Conversion c = changed("kinetics_step10.TSC", {{13, "99999999"}});
  EXPECT_EQ(found(c), (Found{{count_beyond, 13}, {beyond_rows, 13}}));
  EXPECT_EQ(problem_text(c.warnings.back()), "99967245 rows beyond row 32767 were left out");
}

TEST_F(CleanFiles, OnlyTheExamplesWithAFaultWarn) {
  // Three examples keep a fault to show what the report makes of it.
  const std::vector<std::pair<std::string, Found>> faulty{
      {"kinetics_step2_5.TSC", {{after_data, 18}}},
      {"kinetics_step50.TSC", {{count_beyond, 13}}},
      {"scan_step05.WSC", {{after_data, 22}}},
  };
  int examples = 0;
  for (const auto& entry : std::filesystem::directory_iterator(ORDELIX_EXAMPLES)) {
    std::string name = entry.path().filename().string();
    SCOPED_TRACE(name);
    Found expected;
    for (const auto& [faulty_name, warnings] : faulty)
      if (name == faulty_name) expected = warnings;
    Conversion c = test::converted(convert_export_file(entry.path().string()));
    EXPECT_EQ(found(c), expected);
    ++examples;
  }
  EXPECT_GE(examples, 38);
}

TEST_F(CleanFiles, PathLengthCodesOfTheRangeRowAreInTheTable) {
  for (const char* code : {"7", "7.5", "10000"})
    EXPECT_EQ(found(changed("kinetics_step10.TSC", {{5, code}})), Found{}) << code;
}

TEST_F(CleanFiles, LongValuesAreCutNotFaulted) {
  // An R of 0.99876543 reads as its first 8 characters, by design.
  EXPECT_EQ(example("bradford_std.PRO")[17], "0.99876543");
  EXPECT_EQ(found(convert(example("bradford_std.PRO"), "b.PRO")), Found{});
}

}  // namespace
}  // namespace ordelix
