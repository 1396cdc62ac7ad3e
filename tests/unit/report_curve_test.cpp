#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "core/report_curve.h"
#include "test_support.h"

namespace ordelix::test {
namespace {

class ReportCurveOf : public ConversionTest {
 protected:
  std::optional<ReportCurve> curve_of(const Lines& lines, const std::string& name) {
    return report_curve(convert_lines(lines, name).sheet);
  }
};

// Kinetics: times from 0 by the interval (code 3: 10 s) against the values;
// a value that is not a number leaves its row out.
TEST_F(ReportCurveOf, KineticsTimesAgainstValues) {
  Lines tsc{"4",   "0", "1", "ENZYME", "4",   "1",   "0",   "0",  "30",
            "340", "3", "0", "4",      "0.1", "0.2", "n/a", "0.4"};
  auto curve = curve_of(tsc, "run.TSC");
  ASSERT_TRUE(curve);
  EXPECT_EQ(curve->title, "Kinetics");
  EXPECT_EQ(curve->x_heading, "Data(s)");
  EXPECT_EQ(curve->y_heading, "Value");
  EXPECT_EQ(curve->xs, (std::vector<double>{0, 10, 30}));
  EXPECT_EQ(curve->ys, (std::vector<double>{0.1, 0.2, 0.4}));
}

// Melting: temperatures from the start by the interval (column C) against
// the values (F), under the headings in A and D.
TEST_F(ReportCurveOf, MeltingTemperaturesAgainstValues) {
  Lines tm{"6", "0", "1", "DUPLEX", "4",    "1", "1.5", "0.1",  "25",   "95",
           "0", "0", "5", "0",      "1.25", "0", "3",   "0.41", "0.42", "0.43"};
  auto curve = curve_of(tm, "run.TM");
  ASSERT_TRUE(curve);
  EXPECT_EQ(curve->title, "Melting curve");
  EXPECT_EQ(curve->x_heading, "C");
  EXPECT_EQ(curve->y_heading, "OD");
  EXPECT_EQ(curve->xs, (std::vector<double>{25, 30, 35}));
  EXPECT_EQ(curve->ys, (std::vector<double>{0.41, 0.42, 0.43}));
}

TEST_F(ReportCurveOf, OtherReportsHaveNone) {
  EXPECT_FALSE(report_curve(ReportSheet{}));
  // An OD600 run of one sample: a table of two number columns, but no curve.
  Lines od{"7", "0",   "1", "CULTURE", "4", "0", "1", "0",
           "0", "600", "2", "1",       "0", "1", "1", "0.5"};
  EXPECT_FALSE(curve_of(od, "run.OD"));
}

}  // namespace
}  // namespace ordelix::test
