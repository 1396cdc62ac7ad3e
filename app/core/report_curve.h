#pragma once

#include <optional>
#include <string>
#include <vector>

#include "sheet/report_sheet.h"

namespace ordelix {

// The curve a picture of the report draws: kinetics over time, a melting
// curve over temperature. Texts in UTF-8, without their padding.
struct ReportCurve {
  std::string title;
  std::string x_heading;
  std::string y_heading;
  std::vector<double> xs;  // rows whose x or y is not a number are left out
  std::vector<double> ys;
};

// The first curve the report's writer marked, read from the rows its table's
// marks name; none for a report without one.
std::optional<ReportCurve> report_curve(const ReportSheet& sheet);

}  // namespace ordelix
