#pragma once

#include <span>
#include <string>
#include <string_view>

#include "report_context.h"

namespace ordelix {

struct MeasurementMode {
  std::string_view extension;  // without its dot, in capitals
  std::string_view name;       // "protein", "wavelength scan"
  Result<void> (*write)(ReportContext&);
};

std::span<const MeasurementMode> measurement_modes();

// What follows the last dot of the path's last name; "" for a name without a
// dot, ending in one or whose only dot leads it (".PRO" is a hidden file).
std::string name_extension(std::string_view path);

// The mode named by a file's extension, compared without regard to case. A
// name without an extension names none, whatever its last letters.
const MeasurementMode* measurement_mode_of(std::string_view path);

}  // namespace ordelix
