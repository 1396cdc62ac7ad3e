// How a POSIX folder that keeps case tells report names apart; folders that
// fold case are mounted by the hostile integration checks.

#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "batch/batch_plan.h"
#include "platform/paths.h"
#include "test_support.h"

namespace ordelix {
namespace {

namespace fs = std::filesystem;
using Paths = std::vector<std::string>;

class PathIdentities : public ::testing::Test {
 protected:
  PathIdentities() { fs::create_directory(dir_.file("out")); }

  bool one_place(const std::string& a, const std::string& b) {
    Paths identities = path_identities({a, b});
    return identities[0] == identities[1];
  }

  test::TempDir dir_;
};

TEST_F(PathIdentities, NamesDifferingInCaseAreTwoPlacesWhereTheFolderKeepsCase) {
  EXPECT_FALSE(one_place(dir_.file("out/Run.xlsx"), dir_.file("out/run.xlsx")));
  EXPECT_FALSE(one_place(dir_.file("out/Day/run.xlsx"), dir_.file("out/day/run.xlsx")))
      << "folders still to be made keep case as the one they are made in";
  EXPECT_FALSE(one_place(dir_.file("out/über.xlsx"), dir_.file("out/Über.xlsx")));
  EXPECT_FALSE(batch_find_clash({dir_.file("out/Run.xlsx"), dir_.file("out/run.xlsx")}));
}

TEST_F(PathIdentities, EverySpellingOfOnePlaceIsOne) {
  fs::create_directory_symlink(dir_.file("out"), dir_.file("link"));
  EXPECT_TRUE(one_place(dir_.file("out/run.xlsx"), dir_.file("link/run.xlsx")));
  EXPECT_TRUE(one_place(dir_.file("out/run.xlsx"), dir_.file("out/new/../run.xlsx")));
  EXPECT_TRUE(one_place(dir_.file("out/new/day/run.xlsx"), dir_.file("link/new/./day/run.xlsx")));
  EXPECT_FALSE(one_place(dir_.file("out/new/run.xlsx"), dir_.file("out/run.xlsx")));

  test::write_bytes(dir_.file("out/run.xlsx"), "");
  fs::create_symlink(dir_.file("out/run.xlsx"), dir_.file("out/alias.xlsx"));
  EXPECT_TRUE(one_place(dir_.file("out/run.xlsx"), dir_.file("out/alias.xlsx")))
      << "a name that is a link is the place it leads to";
}

TEST_F(PathIdentities, NamesInTheWorkingFolderAreItsOwn) {
  fs::path before = fs::current_path();
  fs::current_path(dir_.file("out"));
  Paths identities = path_identities({"run.xlsx", "./run.xlsx", dir_.file("out/run.xlsx")});
  fs::current_path(before);
  EXPECT_EQ(identities[0], identities[2]);
  EXPECT_EQ(identities[1], identities[2]);
}

TEST_F(PathIdentities, LookingLeavesNothingInTheFolder) {
  // An empty folder has no name to ask about: it is asked with a file of its own.
  path_identities({dir_.file("out/run.xlsx"), dir_.file("out/new/run.xlsx")});
  EXPECT_EQ(test::names_in(dir_.file("out")), Paths{});
}

}  // namespace
}  // namespace ordelix
