#include "measurement_modes.h"

#include <array>
#include <cctype>

#include "reports/concentration.h"
#include "reports/kinetics.h"
#include "reports/melting_temperature.h"
#include "reports/nucleic_acid.h"
#include "reports/od600.h"
#include "reports/photometry.h"
#include "reports/protein.h"
#include "reports/wavelength_scan.h"

namespace ordelix {

std::span<const MeasurementMode> measurement_modes() {
  static constexpr std::array<MeasurementMode, 8> modes{{
      {"PRO", protein_write},
      {"NUC", nucleic_acid_write},
      {"CON", concentration_write},
      {"PHT", photometry_write},
      {".OD", od600_write},
      {"TSC", kinetics_write},
      {".TM", melting_temperature_write},
      {"WSC", wavelength_scan_write},
  }};
  return modes;
}

const MeasurementMode* measurement_mode_of(std::string_view path) {
  std::string_view name = path.substr(path.find_last_of('/') + 1);
  std::string_view tail = name.substr(name.size() < 3 ? 0 : name.size() - 3);
  for (const MeasurementMode& mode : measurement_modes()) {
    if (tail.size() != mode.key.size()) continue;
    bool same = true;
    for (std::size_t i = 0; i < tail.size(); ++i)
      same = same && std::toupper(static_cast<unsigned char>(tail[i])) == mode.key[i];
    if (same) return &mode;
  }
  return nullptr;
}

}  // namespace ordelix
