#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "batch/batch_plan.h"
#include "test_support.h"

namespace ordelix {
namespace {

using Paths = std::vector<std::string>;

// Inputs named on the command line: each report's place under a folder is its name.
std::vector<BatchInput> named(const Paths& paths) {
  std::vector<BatchInput> inputs;
  for (const std::string& p : paths)
    inputs.push_back({p, std::filesystem::path(p).filename().string()});
  return inputs;
}

TEST(BatchPlan, DefaultIsNextToTheInput) {
  EXPECT_EQ(batch_report_paths(named({"runs/a.PRO", "b.NUC", "/data/c.pro"}), "", ""),
            (Paths{"runs/a.xlsx", "b.xlsx", "/data/c.xlsx"}));
}

TEST(BatchPlan, NameWithoutExtensionGetsOne) {
  EXPECT_EQ(batch_report_paths(named({"runs/plain"}), "", ""), Paths{"runs/plain.xlsx"});
}

TEST(BatchPlan, OnlyTheLastExtensionIsReplaced) {
  EXPECT_EQ(batch_report_paths(named({"run.1.OD"}), "", ""), Paths{"run.1.xlsx"});
}

TEST(BatchPlan, FolderTakesEveryReport) {
  EXPECT_EQ(batch_report_paths(named({"x/a.PRO", "y/b.NUC"}), "", "out"),
            (Paths{test::native("out/a.xlsx"), test::native("out/b.xlsx")}));
}

TEST(BatchPlan, OutputNamesTheSingleReport) {
  EXPECT_EQ(batch_report_paths(named({"x/a.PRO"}), "report.xlsx", ""), Paths{"report.xlsx"});
}

TEST(BatchPlan, FolderKeepsTheLayoutBelowTheFolderArgument) {
  // Found in runs/ as batch_select_inputs gives them: the relative names joined the platform's way.
  std::vector<BatchInput> found{{"runs/day1/a.PRO", test::native("day1/a.PRO")},
                                {"runs/day2/deep/a.PRO", test::native("day2/deep/a.PRO")},
                                {"runs/b.wsc", "b.wsc"}};
  EXPECT_EQ(batch_report_paths(found, "", "out"),
            (Paths{test::native("out/day1/a.xlsx"), test::native("out/day2/deep/a.xlsx"),
                   test::native("out/b.xlsx")}));
  EXPECT_EQ(batch_report_paths(found, "", ""),
            (Paths{"runs/day1/a.xlsx", "runs/day2/deep/a.xlsx", "runs/b.xlsx"}));
  EXPECT_FALSE(batch_find_clash(batch_report_paths(found, "", "out")).has_value());
}

TEST(BatchPlan, DataReportsTakeTheirFormatsExtension) {
  std::vector<BatchInput> found{{"runs/day1/a.PRO", test::native("day1/a.PRO")},
                                {"runs/b.wsc", "b.wsc"}};
  EXPECT_EQ(batch_report_paths(found, "", "", ReportFormat::json),
            (Paths{"runs/day1/a.json", "runs/b.json"}));
  EXPECT_EQ(batch_report_paths(found, "", "out", ReportFormat::csv),
            (Paths{test::native("out/day1/a.csv"), test::native("out/b.csv")}));
  EXPECT_EQ(batch_report_paths(found, "", "", ReportFormat::xlsx),
            (Paths{"runs/day1/a.xlsx", "runs/b.xlsx"}));
}

TEST(ReportFormats, NamedInAnyCase) {
  EXPECT_EQ(report_format_named("json"), ReportFormat::json);
  EXPECT_EQ(report_format_named("CSV"), ReportFormat::csv);
  EXPECT_EQ(report_format_named("Xlsx"), ReportFormat::xlsx);
  for (const char* name : {"", "xls", "jsonl", "xlsx "})
    EXPECT_EQ(report_format_named(name), std::nullopt) << name;
  for (ReportFormat format : {ReportFormat::xlsx, ReportFormat::json, ReportFormat::csv})
    EXPECT_EQ(report_format_named(report_format_name(format)), format);
}

TEST(ReportFormats, OfAFileByItsLastExtension) {
  EXPECT_EQ(report_format_of_file("day.json"), ReportFormat::json);
  EXPECT_EQ(report_format_of_file("run.1.CSV"), ReportFormat::csv);
  EXPECT_EQ(report_format_of_file("report.xlsx"), ReportFormat::xlsx);
  for (const char* name : {"report", "report.xls", ".json", "json", "day.json.txt", "a."})
    EXPECT_EQ(report_format_of_file(name), std::nullopt) << name;
}

TEST(BatchClash, DistinctTargetsDoNotClash) {
  EXPECT_FALSE(batch_find_clash({"a.xlsx", "b.xlsx", "x/a.xlsx"}).has_value());
  EXPECT_FALSE(batch_find_clash({}).has_value());
}

TEST(BatchClash, TwoModesOfOneName) {
  auto clash = batch_find_clash(batch_report_paths(named({"a.PRO", "a.NUC"}), "", ""));
  ASSERT_TRUE(clash.has_value());
  EXPECT_EQ(clash->first, 0u);
  EXPECT_EQ(clash->second, 1u);
}

TEST(BatchClash, SameFileTwice) {
  auto clash = batch_find_clash(batch_report_paths(named({"b.PRO", "a.PRO", "a.PRO"}), "", ""));
  ASSERT_TRUE(clash.has_value());
  EXPECT_EQ(clash->first, 1u);
  EXPECT_EQ(clash->second, 2u);
}

TEST(BatchClash, DifferentSpellingsOfOnePath) {
  EXPECT_TRUE(
      batch_find_clash(batch_report_paths(named({"x/../a.PRO", "a.PRO"}), "", "")).has_value());
  EXPECT_TRUE(
      batch_find_clash(batch_report_paths(named({"./a.PRO", "a.PRO"}), "", "")).has_value());
}

TEST(BatchClash, AReportNamedAsAnInputIsFoundHoweverSpelled) {
  EXPECT_EQ(batch_find_input_at({"a.PRO", "x/../b.PRO", "b.PRO"}, "./b.PRO"), 1u);
  EXPECT_EQ(batch_find_input_at({"a.PRO", "b.PRO"}, "a.xlsx"), std::nullopt);
  EXPECT_EQ(batch_find_input_at({}, "a.xlsx"), std::nullopt);
}

TEST(BatchClash, SameNameFromTwoFoldersIntoOneFolder) {
  EXPECT_FALSE(
      batch_find_clash(batch_report_paths(named({"x/a.PRO", "y/a.PRO"}), "", "")).has_value());
  EXPECT_TRUE(
      batch_find_clash(batch_report_paths(named({"x/a.PRO", "y/a.PRO"}), "", "out")).has_value());
}

}  // namespace
}  // namespace ordelix
