#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "batch_plan.h"

namespace ordelix {
namespace {

using Paths = std::vector<std::string>;

TEST(BatchPlan, DefaultIsNextToTheInput) {
  EXPECT_EQ(batch_report_paths({"runs/a.PRO", "b.NUC", "/data/c.pro"}, "", ""),
            (Paths{"runs/a.xlsx", "b.xlsx", "/data/c.xlsx"}));
}

TEST(BatchPlan, NameWithoutExtensionGetsOne) {
  EXPECT_EQ(batch_report_paths({"runs/plain"}, "", ""), Paths{"runs/plain.xlsx"});
}

TEST(BatchPlan, OnlyTheLastExtensionIsReplaced) {
  EXPECT_EQ(batch_report_paths({"run.1.OD"}, "", ""), Paths{"run.1.xlsx"});
}

TEST(BatchPlan, FolderTakesEveryReport) {
  EXPECT_EQ(batch_report_paths({"x/a.PRO", "y/b.NUC"}, "", "out"),
            (Paths{"out/a.xlsx", "out/b.xlsx"}));
}

TEST(BatchPlan, OutputNamesTheSingleReport) {
  EXPECT_EQ(batch_report_paths({"x/a.PRO"}, "report.xlsx", ""), Paths{"report.xlsx"});
}

TEST(BatchClash, DistinctTargetsDoNotClash) {
  EXPECT_FALSE(batch_find_clash({"a.xlsx", "b.xlsx", "x/a.xlsx"}).has_value());
  EXPECT_FALSE(batch_find_clash({}).has_value());
}

TEST(BatchClash, TwoModesOfOneName) {
  auto clash = batch_find_clash(batch_report_paths({"a.PRO", "a.NUC"}, "", ""));
  ASSERT_TRUE(clash.has_value());
  EXPECT_EQ(clash->first, 0u);
  EXPECT_EQ(clash->second, 1u);
}

TEST(BatchClash, SameFileTwice) {
  auto clash = batch_find_clash(batch_report_paths({"b.PRO", "a.PRO", "a.PRO"}, "", ""));
  ASSERT_TRUE(clash.has_value());
  EXPECT_EQ(clash->first, 1u);
  EXPECT_EQ(clash->second, 2u);
}

TEST(BatchClash, DifferentSpellingsOfOnePath) {
  EXPECT_TRUE(batch_find_clash(batch_report_paths({"x/../a.PRO", "a.PRO"}, "", "")).has_value());
  EXPECT_TRUE(batch_find_clash(batch_report_paths({"./a.PRO", "a.PRO"}, "", "")).has_value());
}

TEST(BatchClash, SameNameFromTwoFoldersIntoOneFolder) {
  EXPECT_FALSE(batch_find_clash(batch_report_paths({"x/a.PRO", "y/a.PRO"}, "", "")).has_value());
  EXPECT_TRUE(batch_find_clash(batch_report_paths({"x/a.PRO", "y/a.PRO"}, "", "out")).has_value());
}

}  // namespace
}  // namespace ordelix
