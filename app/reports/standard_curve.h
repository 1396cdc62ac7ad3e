#pragma once

#include <string_view>

#include "report_checks.h"
#include "report_layout.h"

namespace ordelix {

// The standard curve of the protein colorimetric and concentration files: n
// standards on line 8, each a concentration and an OD from line 12 on, then
// the fitted line's intercept, slope and R and the sample count m on the
// four lines after them. The fit and m are known for 1 to 9 standards only.
struct StandardCurve {
  double standards = 0;
  int equation_row = 0;  // the row after the last standard
  int header_end = 11;   // the sample count's line when the fit is known
  SampleCount samples;   // none when the fit is unknown
};

struct StandardCurveStyle {
  layout::InterceptJoin join;
  int lines_per_sample;          // 0 when the sample width is unknown
  std::string_view without_fit;  // what the report shows for a count outside 1 to 9
};

// Writes rows 12 to the row after the equation: the standards table, the
// equation and R.
StandardCurve standard_curve_write(ReportContext& c, const StandardCurveStyle& style);

}  // namespace ordelix
