#include <atomic>
#include <filesystem>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "batch/batch_summary.h"
#include "core/batch_run.h"
#include "save/report_save.h"
#include "test_support.h"

namespace ordelix {
namespace {

namespace fs = std::filesystem;

// A K-factor protein file of two samples; `group` tells the files apart.
test::Lines k_factor(const std::string& group) {
  return {"2",    "0",   "2", group, "3",     "2",     "3",      "0", "1",     "1",     "750",
          "0.05", "2.5", "2", "1",   "0.321", "0.321", "0.8525", "2", "0.467", "0.467", "1.2175"};
}

// Remembers what a batch told, as a window or a console would.
class RecordingObserver : public BatchObserver {
 public:
  std::vector<std::size_t> reported_indices;
  BatchProgress last;
  std::size_t progress_calls = 0;
  std::function<void(const BatchProgress&)> on_progress;

  void progressed(const BatchProgress& progress) override {
    ++progress_calls;
    last = progress;
    if (on_progress) on_progress(progress);
  }
  void reported(std::size_t index, const BatchOutcome&) override {
    reported_indices.push_back(index);
  }
};

// 150 files, more than one chunk: every seventh is no export file.
class BatchRun : public ::testing::Test {
 protected:
  BatchRun() {
    for (int i = 0; i < 150; ++i) {
      std::string name = test::numbered("run", i) + (i % 7 == 3 ? ".txt" : ".PRO");
      std::string input = test::write_export(dir_, name, k_factor(test::numbered("G", i)));
      jobs_.push_back({input, dir_.file("out/" + std::to_string(i % 3) + "/" + name + ".xlsx")});
    }
  }

  static bool failing(std::size_t i) { return i % 7 == 3; }

  test::TempDir dir_;
  std::vector<BatchJob> jobs_;
};

TEST_F(BatchRun, EachReportIsTheOneItsFileGivesAloneAndOutcomesComeInOrder) {
  BatchSettings settings;
  settings.workers = 4;
  settings.create_folders = true;
  RecordingObserver observer;
  std::vector<BatchOutcome> outcomes = batch_save_reports(jobs_, settings, observer);

  ASSERT_EQ(outcomes.size(), jobs_.size());
  std::vector<std::size_t> every(jobs_.size());
  for (std::size_t i = 0; i < every.size(); ++i) every[i] = i;
  EXPECT_EQ(observer.reported_indices, every);
  EXPECT_EQ(observer.last.done, 150u);
  EXPECT_EQ(observer.last.failed, 21u);  // 3, 10, ..., 143
  EXPECT_EQ(observer.last.total, 150u);
  EXPECT_EQ(observer.progress_calls, 300u) << "one when taken up, one when done";

  std::string alone = dir_.file("alone.xlsx");
  for (std::size_t i = 0; i < jobs_.size(); ++i) {
    SCOPED_TRACE(jobs_[i].input);
    ASSERT_TRUE(outcomes[i].attempted);
    if (failing(i)) {
      ASSERT_FALSE(outcomes[i].result.ok());
      EXPECT_EQ(outcomes[i].result.error().kind, ProblemKind::no_mode);
      EXPECT_FALSE(fs::exists(jobs_[i].target));
      continue;
    }
    ASSERT_TRUE(outcomes[i].result.ok()) << problem_text(outcomes[i].result.error());
    Result<Conversion> c = convert_export_file(jobs_[i].input);
    SaveOptions options;
    options.replace_existing = true;
    options.created = c->created;
    ASSERT_TRUE(report_save(c->sheet, alone, options).ok());
    EXPECT_EQ(test::read_bytes(jobs_[i].target), test::read_bytes(alone));
  }
}

TEST_F(BatchRun, ACancelLeavesTheFilesNotTakenUpAndKeepsWhatIsDone) {
  std::atomic<bool> cancel{false};
  BatchSettings settings;
  settings.workers = 2;
  settings.create_folders = true;
  settings.cancel = &cancel;
  RecordingObserver observer;
  observer.on_progress = [&](const BatchProgress& p) {
    if (p.done == 10) cancel = true;
  };
  std::vector<BatchOutcome> outcomes = batch_save_reports(jobs_, settings, observer);

  std::size_t attempted = 0;
  for (std::size_t i = 0; i < outcomes.size(); ++i) {
    SCOPED_TRACE(jobs_[i].input);
    attempted += outcomes[i].attempted;
    EXPECT_EQ(fs::exists(jobs_[i].target), outcomes[i].converted());
  }
  EXPECT_GE(attempted, 10u);
  EXPECT_LE(attempted, 12u) << "only the files in the workers' hands finish";
  EXPECT_EQ(observer.reported_indices.size(), attempted);
}

TEST_F(BatchRun, MissingFolderIsMadeOnlyWhenAsked) {
  std::vector<BatchJob> one{jobs_[0]};
  RecordingObserver observer;
  std::vector<BatchOutcome> outcomes = batch_save_reports(one, BatchSettings{}, observer);
  ASSERT_FALSE(outcomes[0].result.ok());
  EXPECT_EQ(outcomes[0].result.error().kind, ProblemKind::cannot_create);
  EXPECT_FALSE(fs::exists(dir_.file("out")));

  test::write_bytes(dir_.file("out"), "a file where the folder would go");
  BatchSettings settings;
  settings.create_folders = true;
  outcomes = batch_save_reports(one, settings, observer);
  ASSERT_FALSE(outcomes[0].result.ok());
  EXPECT_EQ(outcomes[0].result.error().kind, ProblemKind::cannot_create_folder);
  EXPECT_EQ(test::read_bytes(dir_.file("out")), "a file where the folder would go");
}

// A batch stopped after its first 70 files, its reports then tampered with:
// report 1 cut short, 2 emptied, a folder where 4 goes, 5 gone, 6 replaced
// by 8's (a case-blind folder's doing, say), 9's sheet zeroed.
class ResumedBatch : public BatchRun {
 protected:
  ResumedBatch() {
    BatchSettings settings;
    settings.create_folders = true;
    std::vector<BatchJob> first(jobs_.begin(), jobs_.begin() + 70);
    RecordingObserver observer;
    batch_save_reports(first, settings, observer);
    std::string cut = test::read_bytes(jobs_[1].target);
    test::write_bytes(jobs_[1].target, cut.substr(0, cut.size() / 2));
    test::write_bytes(jobs_[2].target, "");
    fs::remove(jobs_[4].target);
    fs::create_directory(jobs_[4].target);
    fs::remove(jobs_[5].target);
    test::write_bytes(jobs_[6].target, test::read_bytes(jobs_[8].target));
    test::write_bytes(jobs_[9].target, test::with_entry_zeroed(test::read_bytes(jobs_[9].target),
                                                               "xl/worksheets/sheet1.xml"));
    for (std::size_t i = 0; i < 70; ++i)
      if (kept(i)) before_[i] = {test::read_bytes(jobs_[i].target), mtime(i)};
  }

  // A report of the first run left as it was made.
  static bool kept(std::size_t i) {
    return i < 70 && !failing(i) && (i == 0 || i > 5) && i != 6 && i != 9;
  }

  fs::file_time_type mtime(std::size_t i) const { return fs::last_write_time(jobs_[i].target); }

  std::map<std::size_t, std::pair<std::string, fs::file_time_type>> before_;
};

TEST_F(ResumedBatch, SkippingKeepsTheCompleteReportsAndFailsTheOnesNotToTrust) {
  BatchSettings settings;
  settings.workers = 3;
  settings.create_folders = true;
  settings.on_existing = OnExistingReport::skip;
  RecordingObserver observer;
  std::vector<BatchOutcome> outcomes = batch_save_reports(jobs_, settings, observer);

  ASSERT_EQ(before_.size(), 54u) << "60 made, less 1, 2, 4, 5, 6 and 9";
  for (std::size_t i = 0; i < jobs_.size(); ++i) {
    SCOPED_TRACE(jobs_[i].input);
    ASSERT_TRUE(outcomes[i].attempted);
    EXPECT_EQ(outcomes[i].skipped, kept(i));
    if (kept(i)) {
      EXPECT_TRUE(outcomes[i].result.ok());
      EXPECT_FALSE(outcomes[i].converted());
      EXPECT_EQ(test::read_bytes(jobs_[i].target), before_[i].first);
      EXPECT_EQ(mtime(i), before_[i].second);
    } else if (i == 1 || i == 2 || i == 9) {
      EXPECT_EQ(outcomes[i].result.error().kind, ProblemKind::existing_report_incomplete);
    } else if (i == 6) {
      EXPECT_EQ(outcomes[i].result.error().kind, ProblemKind::existing_report_differs);
    } else if (i == 4) {
      EXPECT_EQ(outcomes[i].result.error().kind, ProblemKind::target_is_folder);
    } else if (failing(i)) {
      EXPECT_EQ(outcomes[i].result.error().kind, ProblemKind::no_mode);
    } else {
      EXPECT_TRUE(outcomes[i].converted());
      EXPECT_TRUE(test::is_workbook(jobs_[i].target));
    }
  }
  EXPECT_EQ(test::read_bytes(jobs_[2].target), "") << "a report not trusted is not replaced";
  EXPECT_EQ(observer.reported_indices.size(), 150u);
  EXPECT_EQ(observer.last.failed, 26u) << "21 no export files, 1, 2, 4, 6 and 9";

  BatchTally tally = batch_tally(outcomes);
  EXPECT_EQ(tally.skipped, 54u);
  EXPECT_EQ(tally.failed, 26u);
  EXPECT_EQ(tally.converted, 70u) << "5, and 80 from 70 on less 11 no export files";
}

TEST_F(ResumedBatch, RefusingOrReplacingIsAsBefore) {
  BatchSettings settings;
  settings.create_folders = true;
  RecordingObserver observer;
  std::vector<BatchOutcome> refused = batch_save_reports(jobs_, settings, observer);
  EXPECT_EQ(refused[0].result.error().kind, ProblemKind::target_exists);
  EXPECT_EQ(refused[1].result.error().kind, ProblemKind::target_exists) << "not looked into";
  EXPECT_TRUE(refused[5].converted());
  EXPECT_EQ(batch_tally(refused).skipped, 0u);

  settings.on_existing = OnExistingReport::replace;
  std::vector<BatchOutcome> replaced = batch_save_reports(jobs_, settings, observer);
  for (std::size_t i : {0, 1, 2, 5}) {
    EXPECT_TRUE(replaced[i].converted()) << i;
    EXPECT_TRUE(test::is_workbook(jobs_[i].target)) << i;
  }
  EXPECT_EQ(replaced[4].result.error().kind, ProblemKind::target_is_folder);
}

TEST_F(BatchRun, ConvertingForOneWorkbookKeepsEverySheet) {
  std::vector<std::string> inputs;
  for (std::size_t i = 0; i < 20; ++i) inputs.push_back(jobs_[i].input);
  BatchSettings settings;
  settings.workers = 3;
  RecordingObserver observer;
  ConvertedBatch batch = batch_convert(inputs, settings, observer);
  ASSERT_EQ(batch.conversions.size(), 20u);
  for (std::size_t i = 0; i < inputs.size(); ++i) {
    SCOPED_TRACE(inputs[i]);
    EXPECT_EQ(batch.outcomes[i].converted(), !failing(i));
    if (failing(i)) continue;
    EXPECT_EQ(test::text_at(batch.conversions[i].sheet, 4, 4), test::numbered("G", int(i)));
  }
  EXPECT_FALSE(fs::exists(dir_.file("out"))) << "nothing is saved";
}

// Four files, the first two of one name in different case; the one dated
// latest gives no report, and another was never taken up.
TEST(CombinedSheets, OneForEachConvertedFileNamedAfterItAndDatedByTheLatestOfThem) {
  std::vector<std::string> inputs = {"in/one/a.PRO", "in/two/A.PRO", "in/b.NUC", "c.TM", "d.OD"};
  const std::time_t times[] = {300, 500, 900, 100, 950};
  ConvertedBatch batch;
  batch.outcomes.resize(inputs.size());
  batch.conversions.resize(inputs.size());
  for (std::size_t i = 0; i < inputs.size(); ++i) {
    batch.outcomes[i].attempted = i != 4;
    batch.conversions[i].created = times[i];
  }
  batch.outcomes[2].result = Problem(ProblemKind::no_report);

  CombinedSheets combined = batch_combined_sheets(inputs, batch);
  EXPECT_EQ(combined.files, (std::vector<std::size_t>{0, 1, 3}));
  ASSERT_EQ(combined.sheets.size(), 3u);
  EXPECT_EQ(combined.sheets[0].name, "a.PRO");
  EXPECT_EQ(combined.sheets[1].name, "A.PRO (2)");
  EXPECT_EQ(combined.sheets[2].name, "c.TM");
  for (std::size_t k = 0; k < combined.sheets.size(); ++k)
    EXPECT_EQ(combined.sheets[k].sheet, &batch.conversions[combined.files[k]].sheet);
  EXPECT_EQ(combined.created, 500);
}

TEST(CombinedSheets, NoneWhenNoFileConverted) {
  ConvertedBatch batch;
  batch.outcomes.resize(2);
  batch.conversions.resize(2);
  batch.outcomes[0].attempted = true;
  batch.outcomes[0].result = Problem(ProblemKind::no_mode);
  CombinedSheets combined = batch_combined_sheets({"a.PRO", "b.PRO"}, batch);
  EXPECT_TRUE(combined.sheets.empty());
  EXPECT_TRUE(combined.files.empty());
}

}  // namespace
}  // namespace ordelix
