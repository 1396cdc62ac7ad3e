#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "sheet/sheet_names.h"

namespace ordelix {
namespace {

using Names = std::vector<std::string>;

TEST(SheetNames, AValidNameIsKept) {
  EXPECT_EQ(sheet_names_for({"bradford_std.PRO", "run 7 (b).NUC"}),
            (Names{"bradford_std.PRO", "run 7 (b).NUC"}));
}

TEST(SheetNames, ForbiddenAndControlCharactersBecomeUnderscores) {
  EXPECT_EQ(sheet_names_for({"a[1]:b*c?d\\e.PRO", "tab\there.OD", "'quoted'.TM"}),
            (Names{"a_1__b_c_d_e.PRO", "tab_here.OD", "_quoted'.TM"}));
  EXPECT_EQ(sheet_names_for({"it's'"}), Names{"it's_"});
}

TEST(SheetNames, LongNamesAreCutTo31Characters) {
  std::string name = "abcdefghijklmnopqrstuvwxyz0123456789.WSC";
  EXPECT_EQ(sheet_names_for({name}), Names{"abcdefghijklmnopqrstuvwxyz01234"});
  // Twelve two-byte letters and an emoji counted as the spreadsheet counts: 12 + 2 units.
  std::string accented;
  for (int i = 0; i < 12; ++i) accented += "\xC3\xA9";
  accented += "\xF0\x9F\x98\x80";
  std::string seventeen(17, 'x');
  EXPECT_EQ(sheet_names_for({seventeen + accented + "y"}), Names{seventeen + accented});
  EXPECT_EQ(sheet_names_for({std::string(18, 'x') + accented}),
            Names{std::string(18, 'x') + accented.substr(0, 24)})
      << "the emoji would take the 31st and a 32nd unit";
}

TEST(SheetNames, BytesThatAreNotUtf8BecomeUnderscores) {
  EXPECT_EQ(sheet_names_for({"caf\xE9.PRO", "\xC3\xA9t\xC3.NUC", "\xE0\x80\x80.OD"}),
            (Names{"caf_.PRO", "\xC3\xA9t_.NUC", "___.OD"}))
      << "a lone lead byte, a cut sequence and an overlong one";
}

TEST(SheetNames, RepeatsAreNumberedRegardlessOfCase) {
  EXPECT_EQ(sheet_names_for({"a.PRO", "A.pro", "a.PRO", "a.PRO (2)"}),
            (Names{"a.PRO", "A.pro (2)", "a.PRO (3)", "a.PRO (2) (2)"}));
  std::string long_name(40, 'z');
  EXPECT_EQ(sheet_names_for({long_name, long_name}),
            (Names{std::string(31, 'z'), std::string(27, 'z') + " (2)"}));
}

TEST(SheetNames, EmptyAndReservedNamesAreReplaced) {
  EXPECT_EQ(sheet_names_for({"", "history", "History.TSC"}),
            (Names{"Sheet", "history (2)", "History.TSC"}));
}

}  // namespace
}  // namespace ordelix
