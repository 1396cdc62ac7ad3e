#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "core/ordelix.h"
#include "test_support.h"

namespace ordelix {
namespace {

// A K-factor protein file of two samples.
const test::Lines two_samples = {"2",     "0",      "2",   "G",     "3",     "2",     "3", "0",
                                 "1",     "1",      "750", "0.05",  "2.5",   "2",     "1", "0.321",
                                 "0.321", "0.8525", "2",   "0.467", "0.467", "1.2175"};

struct Format {
  ReportFormat format;
  char separator;
  const char* extension;
};

// What the window and the Python module save is what the converter's batch
// saves in the same format, byte for byte.
TEST(ReportSaveAs, EachFormatSavesWhatTheConvertersBatchSaves) {
  test::TempDir dir;
  std::string input = test::write_export(dir, "run.PRO", two_samples);
  Conversion conversion = test::converted(convert_export_file(input));
  for (Format f : {Format{ReportFormat::xlsx, ',', "xlsx"}, Format{ReportFormat::json, ',', "json"},
                   Format{ReportFormat::csv, ',', "csv"}, Format{ReportFormat::csv, ';', "csv"}}) {
    SCOPED_TRACE(std::string(f.extension) + f.separator);
    std::string batch_target = dir.file(std::string("batch.") + f.extension);
    std::string saved_target = dir.file(std::string("saved.") + f.extension);
    BatchSettings settings;
    settings.format = f.format;
    settings.csv_separator = f.separator;
    settings.on_existing = OnExistingReport::replace;
    BatchObserver unobserved;
    ASSERT_TRUE(batch_save_reports({{input, batch_target}}, settings, unobserved).front().result);
    ReportChoice choice{f.format, f.separator, /*replace_existing=*/true};
    ASSERT_TRUE(report_save_as(input, conversion, saved_target, choice));
    EXPECT_EQ(test::read_bytes(saved_target), test::read_bytes(batch_target));
  }
}

TEST(ReportSaveAs, KeepsWhatStandsThereUnlessToldAndNeverTheExportFile) {
  test::TempDir dir;
  std::string input = test::write_export(dir, "run.PRO", two_samples);
  Conversion conversion = test::converted(convert_export_file(input));
  std::string target = dir.file("run.json");
  test::write_bytes(target, "kept");
  Result<void> refused = report_save_as(input, conversion, target, {ReportFormat::json});
  ASSERT_FALSE(refused);
  EXPECT_EQ(refused.error().kind, ProblemKind::target_exists);
  EXPECT_EQ(test::read_bytes(target), "kept");
  EXPECT_TRUE(report_save_as(input, conversion, target, {ReportFormat::json, ',', true}));
  EXPECT_EQ(test::read_bytes(target).front(), '{');

  Result<void> over_input =
      report_save_as(input, conversion, input, {ReportFormat::csv, ',', true});
  ASSERT_FALSE(over_input);
  EXPECT_EQ(over_input.error().kind, ProblemKind::target_is_input);
}

TEST(FailureWords, NameTheReportAfterItsProblemAndTheWayToReplaceIt) {
  EXPECT_EQ(failure_words(Problem(ProblemKind::target_exists), "out/a.xlsx", "--force replaces it"),
            "the report file already exists (--force replaces it): out/a.xlsx");
  EXPECT_EQ(failure_words(Problem(ProblemKind::target_exists), "out/a.xlsx"),
            "the report file already exists: out/a.xlsx");
  // The export file's own problem names no report, nor does a report not yet named.
  EXPECT_EQ(failure_words(Problem(ProblemKind::no_extension), "out/a.xlsx", "--force"),
            "the name has no extension");
  EXPECT_EQ(failure_words(Problem(ProblemKind::target_exists), "", "--force replaces it"),
            "the report file already exists (--force replaces it)");
}

}  // namespace
}  // namespace ordelix
