#pragma once

#include <span>
#include <string_view>

#include "reports/report_context.h"

namespace ordelix {

struct MeasurementMode {
  std::string_view key;  // last three characters of the file name
  ReportRefusal (*write)(ReportContext&);
};

std::span<const MeasurementMode> measurement_modes();

// The mode named by a file's last three characters, compared without regard to case.
const MeasurementMode* measurement_mode_of(std::string_view path);

}  // namespace ordelix
