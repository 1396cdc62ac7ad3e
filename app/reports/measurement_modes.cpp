#include "measurement_modes.h"

#include <array>
#include <cctype>

#include "concentration.h"
#include "kinetics.h"
#include "melting_temperature.h"
#include "nucleic_acid.h"
#include "od600.h"
#include "photometry.h"
#include "platform/paths.h"
#include "protein.h"
#include "wavelength_scan.h"

namespace ordelix {

std::span<const MeasurementMode> measurement_modes() {
  static constexpr std::array<MeasurementMode, 8> modes{{
      {"PRO", "protein", protein_write},
      {"NUC", "nucleic acid", nucleic_acid_write},
      {"CON", "concentration", concentration_write},
      {"PHT", "photometry", photometry_write},
      {"OD", "OD600", od600_write},
      {"TSC", "kinetics", kinetics_write},
      {"TM", "melting temperature", melting_temperature_write},
      {"WSC", "wavelength scan", wavelength_scan_write},
  }};
  return modes;
}

std::string name_extension(std::string_view path) {
  const std::string name = path_file_name(path);
  const std::size_t dot = name.find_last_of('.');
  // A leading dot hides a file; it does not start an extension.
  if (dot == std::string::npos || dot == 0) return {};
  return name.substr(dot + 1);
}

const MeasurementMode* measurement_mode_of(std::string_view path) {
  const std::string extension = name_extension(path);
  for (const MeasurementMode& mode : measurement_modes()) {
    if (extension.size() != mode.extension.size()) continue;
    bool same = true;
    for (std::size_t i = 0; i < extension.size(); ++i)
      same = same && std::toupper(static_cast<unsigned char>(extension[i])) == mode.extension[i];
    if (same) return &mode;
  }
  return nullptr;
}

}  // namespace ordelix
