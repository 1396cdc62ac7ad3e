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
// export file, an entry named like one that is no file to read (a pipe, or on
// Windows a device's name), a link back to itself and subfolders.
class BatchInputs : public ::testing::Test {
 protected:
  BatchInputs() {
    for (const char* name : {"a.PRO", "B.nuc", "c.Wsc", "notes.txt", ".hidden.PRO", "day2/x.OD",
                             "day2/deep/y.TM", "day1/z.CON"}) {
      fs::create_directories(fs::path(runs_ + "/" + name).parent_path());
      test::write_bytes(runs_ + "/" + name, "2\r\n");
    }
    fs::create_directories(runs_ + "/empty");
    test::make_unreadable_export_entry(runs_);
    test::make_folder_link(runs_, runs_ + "/loop");
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
  EXPECT_EQ(paths_of(s), (Paths{runs_ + test::native("/B.nuc"), runs_ + test::native("/a.PRO"),
                                runs_ + test::native("/c.Wsc")}));
  EXPECT_EQ(relatives_of(s), (Paths{"B.nuc", "a.PRO", "c.Wsc"}));
  EXPECT_EQ(s.skipped_files, 2u) << "notes.txt and the pipe or device";
  EXPECT_EQ(s.skipped_folders, 3u) << "day1, day2 and empty; the link is no folder of its own";
  EXPECT_TRUE(s.problems.empty());
}

TEST_F(BatchInputs, RecursiveSearchPutsSubfoldersInTheirPlaceByName) {
  InputSelection s = batch_select_inputs({runs_}, true);
  EXPECT_EQ(relatives_of(s), (Paths{"B.nuc", "a.PRO", "c.Wsc", test::native("day1/z.CON"),
                                    test::native("day2/deep/y.TM"), test::native("day2/x.OD")}));
  EXPECT_EQ(s.files[4].path, runs_ + test::native("/day2/deep/y.TM"));
  EXPECT_EQ(s.skipped_folders, 0u);
  EXPECT_EQ(s.skipped_files, 2u);
  EXPECT_TRUE(s.problems.empty());
}

TEST_F(BatchInputs, NamedFilesAreTakenAsTheyAreInTheOrderGiven) {
  std::string notes = runs_ + "/notes.txt";
  std::string missing = dir_.file("missing.PRO");
  InputSelection s = batch_select_inputs({notes, runs_ + "/day1", missing}, false);
  // A folder named is kept as spelled, the names found in it joined the platform's way.
  EXPECT_EQ(paths_of(s), (Paths{notes, runs_ + "/day1" + test::native("/z.CON"), missing}));
  EXPECT_EQ(relatives_of(s), (Paths{"notes.txt", "z.CON", "missing.PRO"}));
}

TEST_F(BatchInputs, FolderWithoutExportFilesIsAProblem) {
  InputSelection s = batch_select_inputs({runs_ + "/empty", runs_ + "/day2"}, false);
  EXPECT_EQ(paths_of(s), Paths{runs_ + "/day2" + test::native("/x.OD")});
  EXPECT_EQ(s.skipped_folders, 1u) << "day2/deep";
  ASSERT_EQ(s.problems.size(), 1u);
  EXPECT_EQ(s.problems[0].folder, runs_ + "/empty");
  EXPECT_EQ(s.problems[0].problem.kind, ProblemKind::no_export_files);
}

}  // namespace
}  // namespace ordelix
