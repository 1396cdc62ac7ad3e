#include "measurement_modes.h"

#include <array>
#include <cctype>

#include "reports/concentration.h"
#include "reports/nucleic_acid.h"
#include "reports/od600.h"
#include "reports/photometry.h"
#include "reports/protein.h"

namespace ordelix {

std::span<const MeasurementMode> measurement_modes() {
  static constexpr std::array<MeasurementMode, 8> modes{{
      {"PRO", "protein", protein_write},
      {"NUC", "nucleic acid", nucleic_acid_write},
      {"CON", "concentration", concentration_write},
      {"PHT", "photometry", photometry_write},
      {".OD", "OD600", od600_write},
      {"TSC", "kinetics", nullptr},
      {".TM", "melting temperature", nullptr},
      {"WSC", "wavelength scan", nullptr},
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
