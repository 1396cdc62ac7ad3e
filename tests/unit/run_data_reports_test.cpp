// The run as data of bundled examples, worked out from their golden cells
// (tests/integration/golden): which rows are header, which a table's title,
// heading, rows and notes.

#include <cstdio>
#include <string>

#include <gtest/gtest.h>

#include "core/run_data_conversion.h"
#include "run_data_values.h"
#include "test_support.h"

namespace ordelix {
namespace {

using test::none;
using test::text;

RunData example_data(const std::string& name) {
  std::string path = std::string(ORDELIX_EXAMPLES) + "/" + name;
  return run_data_of(path, test::converted(convert_export_file(path)));
}

std::vector<std::string> labels(const RunData& data) {
  std::vector<std::string> found;
  for (const HeaderEntry& entry : data.header) found.push_back(entry.label);
  return found;
}

std::vector<DataValue> values(const RunData& data) {
  std::vector<DataValue> found;
  for (const HeaderEntry& entry : data.header) found.push_back(entry.value);
  return found;
}

TEST(RunDataOfReport, StandardCurveHasTheStandardsWithTheirFitThenTheSamples) {
  RunData data = example_data("bradford_std.PRO");
  EXPECT_EQ(data.file, "bradford_std.PRO");
  EXPECT_EQ(data.mode, "protein");
  // Rows 1 to 10 but the separator in row 3; row 11 is blanks.
  EXPECT_EQ(labels(data), (std::vector<std::string>{"Method", "Time & Date", "Sample Group Name",
                                                    "Pathlength(mm)", "Dilution Factor", "Unit",
                                                    "Calibration Mode", "WL1(nm)", "WL Number"}));
  std::vector<DataValue> shown = values(data);
  shown[1] = none;  // the time, by a test of its own
  EXPECT_EQ(shown, (std::vector<DataValue>{text("BRADFORD    "), none, text("BSA-LOT7"), 10.0, 1.0,
                                           text("ug/ml"), text("STD"), 595.0, 1.0}));
  ASSERT_EQ(data.tables.size(), 2u);
  const DataTable& standards = data.tables[0];
  EXPECT_EQ(standards.title, none);
  EXPECT_EQ(standards.columns,
            (std::vector<DataValue>{text("STD No.                "), text("Concentration         "),
                                    text("OD Value ")}));
  EXPECT_EQ(standards.rows,
            (std::vector<std::vector<DataValue>>{{1.0, 0.0, 0.012}, {2.0, 10.0, 0.534}}));
  EXPECT_EQ(standards.notes, (std::vector<DataValue>{text("CONC = 18.7245 * OD + -0.0123       "),
                                                     text("R = 0.999                      ")}));
  const DataTable& samples = data.tables[1];
  EXPECT_EQ(samples.columns, (std::vector<DataValue>{text("Data No.     "), text("Sample No.   "),
                                                     text("WL1 OD Value "), text("OD Value     "),
                                                     text("Concentration")}));
  EXPECT_EQ(samples.rows, (std::vector<std::vector<DataValue>>{{1.0, 1.0, 0.412, 0.412, 7.7025},
                                                               {2.0, 2.0, 0.298, 0.298, 5.5569},
                                                               {3.0, 3.0, 0.655, 0.655, 12.2525}}));
  EXPECT_TRUE(samples.notes.empty());
  EXPECT_TRUE(data.warnings.empty());
}

TEST(RunDataOfReport, KFactorEquationAboveTheSamplesIsTheirNote) {
  RunData data = example_data("con_kfactor_w2.CON");
  EXPECT_EQ(data.mode, "concentration");
  EXPECT_EQ(labels(data).back(), "Std Number");
  EXPECT_EQ(data.header.back().value, DataValue(0.0));
  ASSERT_EQ(data.tables.size(), 1u);
  const DataTable& samples = data.tables[0];
  EXPECT_EQ(samples.notes, (std::vector<DataValue>{text("CONC = 160.8 * OD + 380       ")}));
  EXPECT_EQ(
      samples.columns,
      (std::vector<DataValue>{text("Data No.   "), text("Sample No."), text("WL1 OD Value"),
                              text("WL2 OD Value"), text("OD Value     "), text("Concentration")}));
  EXPECT_EQ(samples.rows,
            (std::vector<std::vector<DataValue>>{{1.0, 1.0, 0.512, 0.088, 0.424, 68.18},
                                                 {2.0, 2.0, 0.733, 0.121, 0.612, 98.41}}));
}

TEST(RunDataOfReport, MeltingTemperatureTableHasItsTitleAndHeadingsOverOtherColumns) {
  RunData data = example_data("melt_step05.TM");
  EXPECT_EQ(data.mode, "melting temperature");
  EXPECT_EQ(labels(data).size(), 12u) << "rows 1 to 13 but the separator";
  EXPECT_EQ(labels(data).back(), "Data Number");
  ASSERT_EQ(data.tables.size(), 1u);
  const DataTable& table = data.tables[0];
  EXPECT_EQ(table.title,
            text("Data List                                                               "));
  // Headings in A and D, values in C and F.
  EXPECT_EQ(table.columns, (std::vector<DataValue>{text("C                         "),
                                                   text("OD                         ")}));
  EXPECT_EQ(table.rows,
            (std::vector<std::vector<DataValue>>{
                {25.0, 0.4012}, {25.5, 0.4055}, {26.0, 0.413}, {26.5, 0.4262}, {27.0, 0.4471}}));
}

TEST(RunDataOfReport, CellDensityRowsAfterEmptyRowsAndItsFourthColumn) {
  RunData data = example_data("culture_cells.OD");
  EXPECT_EQ(data.mode, "OD600");
  // Rows 8 and 9 are empty; 10 and 11 hold factor and multiple.
  EXPECT_EQ(labels(data),
            (std::vector<std::string>{"Method", "Time & Date", "Sample Group Name", "WL(nm)",
                                      "Pathlength(mm)", "Unit", "Factor", "Multiple"}));
  EXPECT_EQ(data.header.back().value, DataValue(1000000.0));
  ASSERT_EQ(data.tables.size(), 1u);
  EXPECT_EQ(data.tables[0].columns,
            (std::vector<DataValue>{text("Data No.            "), text("Sample No.          "),
                                    text("OD Value            "), text("cells/ml            ")}));
  EXPECT_EQ(data.tables[0].rows.front(), (std::vector<DataValue>{1.0, 1.0, 0.125, 3750000.0}));
}

TEST(RunDataOfReport, KineticsRowWithoutItsValueAndTheWarning) {
  RunData data = example_data("kinetics_step50.TSC");
  EXPECT_EQ(data.mode, "kinetics");
  ASSERT_EQ(data.tables.size(), 1u);
  EXPECT_EQ(data.tables[0].rows, (std::vector<std::vector<DataValue>>{
                                     {0.0, 97.2}, {50.0, 95.8}, {100.0, 94.1}, {150.0, none}}));
  ASSERT_EQ(data.warnings.size(), 1u);
  EXPECT_EQ(data.warnings[0].line, 13);
  EXPECT_EQ(data.warnings[0].text, "says 4 values; the file holds 3");
}

TEST(RunDataOfReport, EveryModeByItsName) {
  const std::pair<const char*, const char*> modes[] = {{"dsdna.NUC", "nucleic acid"},
                                                       {"pht_w1_abs.PHT", "photometry"},
                                                       {"scan_step1.WSC", "wavelength scan"},
                                                       {"protein_uv.PRO", "protein"}};
  for (const auto& [name, mode] : modes) EXPECT_EQ(example_data(name).mode, mode) << name;
}

TEST(RunDataOfReport, TimeAndDateIsTheTimeShownWithItsOffset) {
  std::string path = std::string(ORDELIX_EXAMPLES) + "/kinetics_step10.TSC";
  Conversion conversion = test::converted(convert_export_file(path));
  std::optional<CellValue> cell = conversion.sheet.cell(2, 4);
  const auto* shown = cell ? std::get_if<DateTime>(&*cell) : nullptr;
  ASSERT_NE(shown, nullptr);
  RunData data = run_data_of(path, conversion);
  char local[32];
  std::snprintf(local, sizeof local, "%04d-%02d-%02dT%02d:%02d:%02d", shown->year, shown->month,
                shown->day, shown->hour, shown->minute, shown->second);
  ASSERT_EQ(data.created.size(), 25u) << data.created;
  EXPECT_EQ(data.created.substr(0, 19), local);
  EXPECT_TRUE(data.created[19] == '+' || data.created[19] == '-') << data.created;
  EXPECT_EQ(data.created[22], ':') << data.created;
  EXPECT_EQ(data.header[1].value, DataValue(data.created));
}

#ifndef _WIN32  // where every name is Unicode
TEST(RunDataOfReport, NameWithoutItsFoldersAndAsUtf8) {
  test::TempDir dir;
  std::string path = dir.file("run\xB5.OD");
  test::write_bytes(path, test::read_bytes(std::string(ORDELIX_EXAMPLES) + "/culture_od.OD"));
  RunData data = run_data_of(path, test::converted(convert_export_file(path)));
  EXPECT_EQ(data.file, "run\xEF\xBF\xBD.OD");
}
#endif

}  // namespace
}  // namespace ordelix
