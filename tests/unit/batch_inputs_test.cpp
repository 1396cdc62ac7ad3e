#include <sys/stat.h>

#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "batch/batch_inputs.h"
#include "test_support.h"

namespace ordelix {
namespace {

namespace fs = std::filesystem;

using Paths = std::vector<std::string>;

// runs/ holds export files in every case of extension, other files, a hidden
// export file, a pipe named like one, a link back to itself and subfolders.
class BatchInputs : public ::testing::Test {
 protected:
  BatchInputs() {
    for (const char* name : {"a.PRO", "B.nuc", "c.Wsc", "notes.txt", ".hidden.PRO", "day2/x.OD",
                             "day2/deep/y.TM", "day1/z.CON"}) {
      fs::create_directories(fs::path(runs_ + "/" + name).parent_path());
      test::write_bytes(runs_ + "/" + name, "2\r\n");
    }
    fs::create_directories(runs_ + "/empty");
    ::mkfifo((runs_ + "/fifo.PRO").c_str(), 0600);
    fs::create_directory_symlink(runs_, runs_ + "/loop");
  }

  static Paths paths_of(const InputSelection& s) {
    Paths paths;
    for (const BatchInput& input : s.files) paths.push_back(input.path);
    return paths;
  }
  static Paths relatives_of(const InputSelection& s) {
    Paths paths;
    for (const BatchInput& input : s.files) paths.push_back(input.relative);
    return paths;
  }

  test::TempDir dir_;
  std::string runs_ = dir_.file("runs");
};

TEST_F(BatchInputs, FolderGivesItsExportFilesByNameAndCountsTheRest) {
  InputSelection s = batch_select_inputs({runs_}, false);
  EXPECT_EQ(paths_of(s), (Paths{runs_ + "/B.nuc", runs_ + "/a.PRO", runs_ + "/c.Wsc"}));
  EXPECT_EQ(relatives_of(s), (Paths{"B.nuc", "a.PRO", "c.Wsc"}));
  EXPECT_EQ(s.skipped_files, 2u) << "notes.txt and the pipe";
  EXPECT_EQ(s.skipped_folders, 3u) << "day1, day2 and empty; the link is no folder of its own";
  EXPECT_TRUE(s.problems.empty());
}

TEST_F(BatchInputs, RecursiveSearchPutsSubfoldersInTheirPlaceByName) {
  InputSelection s = batch_select_inputs({runs_}, true);
  EXPECT_EQ(relatives_of(s),
            (Paths{"B.nuc", "a.PRO", "c.Wsc", "day1/z.CON", "day2/deep/y.TM", "day2/x.OD"}));
  EXPECT_EQ(s.files[4].path, runs_ + "/day2/deep/y.TM");
  EXPECT_EQ(s.skipped_folders, 0u);
  EXPECT_EQ(s.skipped_files, 2u);
  EXPECT_TRUE(s.problems.empty());
}

TEST_F(BatchInputs, NamedFilesAreTakenAsTheyAreInTheOrderGiven) {
  std::string notes = runs_ + "/notes.txt";
  std::string missing = dir_.file("missing.PRO");
  InputSelection s = batch_select_inputs({notes, runs_ + "/day1", missing}, false);
  EXPECT_EQ(paths_of(s), (Paths{notes, runs_ + "/day1/z.CON", missing}));
  EXPECT_EQ(relatives_of(s), (Paths{"notes.txt", "z.CON", "missing.PRO"}));
}

TEST_F(BatchInputs, FolderWithoutExportFilesIsAProblem) {
  InputSelection s = batch_select_inputs({runs_ + "/empty", runs_ + "/day2"}, false);
  EXPECT_EQ(paths_of(s), Paths{runs_ + "/day2/x.OD"});
  EXPECT_EQ(s.skipped_folders, 1u) << "day2/deep";
  ASSERT_EQ(s.problems.size(), 1u);
  EXPECT_EQ(s.problems[0].folder, runs_ + "/empty");
  EXPECT_EQ(s.problems[0].problem.kind, ProblemKind::no_export_files);
}

}  // namespace
}  // namespace ordelix
