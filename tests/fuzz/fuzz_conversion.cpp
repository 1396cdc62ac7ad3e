// libFuzzer target: arbitrary bytes as the export file of any mode, with any
// file time, on through the run's data as JSON and CSV, and for some inputs
// through the workbook writer and the check of the finished workbook. A
// conversion may refuse a file; it must not crash, hang or leak, and a
// workbook it writes must pass its check.
//
// An input is: one byte of flags (bit 0: write the workbook), eight bytes of
// file time (seconds, little-endian), the extension ended by a line feed, then
// the file's bytes.

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <string_view>

#include "base/utf8.h"
#include "core/conversion.h"
#include "core/run_data_conversion.h"
#include "xlsx/xlsx_writer.h"
#include "zip/zip_check.h"

namespace {

constexpr std::size_t flags_and_time = 9;

void write_and_check(const ordelix::Conversion& conversion) {
  static const std::string temp_folder = std::filesystem::temp_directory_path().string();
  ordelix::ZipBytes zip;
  if (!ordelix::xlsx_write_report(conversion.sheet, conversion.created, temp_folder, zip))
    std::abort();
  if (!ordelix::zip_check(zip)) std::abort();
}

// The data of every report, through both writers: each table row has one
// value per column, and the JSON is UTF-8 throughout.
void write_data(const std::string& name, const ordelix::Conversion& conversion) {
  ordelix::RunData data = ordelix::run_data_of(name, conversion);
  for (const ordelix::DataTable& table : data.tables)
    for (const auto& row : table.rows)
      if (row.size() != table.columns.size()) std::abort();
  std::string json = ordelix::run_data_json(data);
  if (ordelix::utf8_repaired(json) != json) std::abort();
  for (char separator : {',', ';'}) (void)ordelix::run_data_csv(data, separator);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < flags_and_time) return 0;
  bool write = (data[0] & 1) != 0;
  std::int64_t seconds = 0;
  for (int i = 8; i >= 1; --i)
    seconds = static_cast<std::int64_t>((static_cast<std::uint64_t>(seconds) << 8) | data[i]);
  std::string_view rest(reinterpret_cast<const char*>(data) + flags_and_time,
                        size - flags_and_time);
  std::size_t end = rest.find('\n');
  if (end == std::string_view::npos) return 0;
  std::string name = "fuzz." + std::string(rest.substr(0, end));
  const ordelix::MeasurementMode* mode = ordelix::measurement_mode_of(name);
  if (mode == nullptr) return 0;

  ordelix::ExportFile file(name, std::string(rest.substr(end + 1)), seconds);
  ordelix::Result<ordelix::Conversion> conversion = ordelix::convert_export(file, *mode);
  if (!conversion.ok()) return 0;
  write_data(name, conversion.value());
  if (write) write_and_check(conversion.value());
  return 0;
}
