#pragma once

#include <span>
#include <string_view>

#include "report_context.h"

namespace ordelix {

struct MeasurementMode {
  std::string_view extension;  // without its dot, in capitals
  std::string_view name;       // "protein", "wavelength scan"
  Result<void> (*write)(ReportContext&);
};

std::span<const MeasurementMode> measurement_modes();

// The mode named by a file's extension, compared without regard to case. A
// name without an extension names none, whatever its last letters.
const MeasurementMode* measurement_mode_of(std::string_view path);

}  // namespace ordelix
