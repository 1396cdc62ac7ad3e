#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "batch/batch_summary.h"

namespace ordelix {
namespace {

BatchOutcome outcome(bool attempted, bool failed, int warnings) {
  BatchOutcome o;
  o.attempted = attempted;
  if (failed) o.result = Problem(ProblemKind::no_mode);
  for (int i = 0; i < warnings; ++i) o.warnings.push_back(Problem(ProblemKind::rows_beyond_limit));
  return o;
}

TEST(BatchSummary, CountsConvertedFailedAndWarnedButNotTheFilesLeftOut) {
  std::vector<BatchOutcome> outcomes{outcome(true, false, 0), outcome(true, false, 2),
                                     outcome(true, true, 1),  outcome(false, false, 0),
                                     outcome(true, false, 1), outcome(true, true, 0)};
  BatchTally tally = batch_tally(outcomes);
  EXPECT_EQ(tally.converted, 3u);
  EXPECT_EQ(tally.failed, 2u);
  EXPECT_EQ(tally.with_warnings, 2u) << "a failed file's warnings do not count";
  EXPECT_EQ(batch_summary_text(tally), "3 converted, 2 failed, 2 with warnings");
  EXPECT_EQ(batch_summary_text({}), "0 converted, 0 failed, 0 with warnings");
}

TEST(BatchSummary, CountsSkippedFilesApartAndNamesThemWhenSkipping) {
  BatchOutcome kept = outcome(true, false, 0);
  kept.skipped = true;
  BatchOutcome kept_unattempted = kept;
  kept_unattempted.attempted = false;
  std::vector<BatchOutcome> outcomes{kept, outcome(true, false, 1), kept, outcome(true, true, 0),
                                     kept_unattempted};
  BatchTally tally = batch_tally(outcomes);
  EXPECT_EQ(tally.skipped, 2u);
  EXPECT_EQ(tally.converted, 1u);
  EXPECT_EQ(tally.failed, 1u);
  EXPECT_EQ(tally.with_warnings, 1u);
  EXPECT_EQ(batch_summary_text(tally), "1 converted, 1 failed, 1 with warnings, 2 skipped");
  EXPECT_EQ(batch_summary_text(tally, true), "1 converted, 1 failed, 1 with warnings, 2 skipped");
  EXPECT_EQ(batch_summary_text({}, true), "0 converted, 0 failed, 0 with warnings, 0 skipped");
}

TEST(BatchProgressLine, ShowsCountsAndTheCurrentFileWithinTheWidth) {
  BatchProgress p{12, 1, 1000, "runs/day1/a.PRO"};
  EXPECT_EQ(batch_progress_text(p, 0), "12/1000 done, 1 failed  runs/day1/a.PRO");
  EXPECT_EQ(batch_progress_text(p, 39), "12/1000 done, 1 failed  runs/day1/a.PRO");
  EXPECT_EQ(batch_progress_text(p, 30), "12/1000 done, 1 failed  ...PRO");
  EXPECT_EQ(batch_progress_text(p, 10), "12/1000 do");
}

TEST(BatchProgressLine, NeverCutsACharacterInTwo) {
  BatchProgress p{12, 1, 1000, "abcd\xC3\xA9.PRO"};
  EXPECT_EQ(batch_progress_text(p, 32), "12/1000 done, 1 failed  ....PRO");
}

}  // namespace
}  // namespace ordelix
