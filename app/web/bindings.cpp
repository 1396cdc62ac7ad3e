// The module's JavaScript API (OrdelixCore): convert, runData, combine,
// zipReports, modes and modeOf, synchronous, for a page that runs the module
// in a worker. Bytes go in and out as Uint8Arrays, copied, since the
// module's memory may move as it grows.

#include <emscripten/bind.h>
#include <emscripten/val.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "page_conversion.h"
#include "sheet_value.h"

namespace ordelix {
namespace {

using emscripten::val;

std::string bytes_of(const val& array) {
  val bytes = array.instanceof
      (val::global("Uint8Array")) ? array : val::global("Uint8Array").new_(array);
  std::string held(bytes["length"].as<std::size_t>(), '\0');
  val view(
      emscripten::typed_memory_view(held.size(), reinterpret_cast<unsigned char*>(held.data())));
  view.call<void>("set", bytes);
  return held;
}

val uint8_array(std::string_view bytes) {
  val array = val::global("Uint8Array").new_(bytes.size());
  array.call<void>("set", val(emscripten::typed_memory_view(
                              bytes.size(), reinterpret_cast<const unsigned char*>(bytes.data()))));
  return array;
}

// Milliseconds since 1970 as whole seconds, the earlier one for a fraction;
// no number at all as 1970. Emscripten's time_t holds 32 bits, 1901 to 2038:
// beyond, the nearest end.
std::time_t created_of(double milliseconds) {
  constexpr double earliest = std::numeric_limits<std::time_t>::min();
  constexpr double latest = std::numeric_limits<std::time_t>::max();
  if (std::isnan(milliseconds)) return 0;
  return static_cast<std::time_t>(std::clamp(std::floor(milliseconds / 1000), earliest, latest));
}

val float64_array(const std::vector<double>& numbers) {
  return val::global("Float64Array")
      .new_(val(emscripten::typed_memory_view(numbers.size(), numbers.data())));
}

val problem_value(const std::optional<Problem>& problem) {
  return problem ? val(problem_text(*problem)) : val::null();
}

val warnings_value(const Problems& warnings) {
  val list = val::array();
  for (const Problem& warning : warnings) {
    val item = val::object();
    item.set("line", warning.line > 0 ? val(static_cast<double>(warning.line)) : val::null());
    item.set("text", problem_text(warning));
    list.call<void>("push", item);
  }
  return list;
}

// The curve the report's writer marked, or null.
val curve_value(const std::optional<Conversion>& conversion) {
  std::optional<ReportCurve> curve = conversion ? report_curve(conversion->sheet) : std::nullopt;
  if (!curve) return val::null();
  val result = val::object();
  result.set("title", curve->title);
  result.set("xTitle", curve->x_heading);
  result.set("yTitle", curve->y_heading);
  result.set("xs", float64_array(curve->xs));
  result.set("ys", float64_array(curve->ys));
  return result;
}

val mode_value(const MeasurementMode& mode) {
  val result = val::object();
  result.set("extension", std::string(mode.extension));
  result.set("name", std::string(mode.name));
  return result;
}

// Every measurement mode, in the core's order: [{extension, name}], the
// extension in capitals without its dot.
val modes() {
  val list = val::array();
  for (const MeasurementMode& mode : measurement_modes()) list.call<void>("push", mode_value(mode));
  return list;
}

// The mode a file's name calls for, {extension, name}, or null: an export
// file in a folder is one whose name has one.
val mode_of(std::string name) {
  const MeasurementMode* mode = measurement_mode_of(name);
  return mode ? mode_value(*mode) : val::null();
}

val convert(std::string name, val bytes, double last_modified_ms) {
  PageReport report =
      page_convert({std::move(name), bytes_of(bytes), created_of(last_modified_ms)});
  bool ok = !report.error;
  val result = val::object();
  result.set("ok", ok);
  result.set("reportName", report.report_name);
  result.set("error", problem_value(report.error));
  result.set("warnings",
             warnings_value(report.conversion ? report.conversion->warnings : Problems{}));
  result.set("jsonName", report.json_name);
  result.set("csvName", report.csv_name);
  result.set("xlsx", ok ? uint8_array(report.workbook) : val::null());
  result.set("sheet", ok ? sheet_value(report.conversion->sheet) : val::null());
  result.set("curve", ok ? curve_value(report.conversion) : val::null());
  return result;
}

// The run's data in `format`, "json" or "csv": {data, error}; or the Error
// to throw for another format.
val run_data_or_error(const val& name, const val& bytes, double last_modified_ms,
                      const val& format) {
  auto format_name = format.as<std::string>();
  std::optional<ReportFormat> chosen = report_format_named(format_name);
  if (!chosen || *chosen == ReportFormat::xlsx)
    return val::global("Error").new_("runData: " + format_name + " is neither json nor csv");
  Result<std::string> data = page_run_data(
      {name.as<std::string>(), bytes_of(bytes), created_of(last_modified_ms)}, *chosen);
  val result = val::object();
  result.set("data", data ? uint8_array(data.value()) : val::null());
  result.set("error", data ? val::null() : val(problem_text(data.error())));
  return result;
}

// Thrown from here, as zip_reports throws.
val run_data(val name, val bytes, double last_modified_ms, val format) {
  val result = run_data_or_error(name, bytes, last_modified_ms, format);
  if (result.instanceof (val::global("Error"))) result.throw_();
  return result;
}

val combine(val names, val files, val last_modified_ms) {
  std::vector<PageFile> inputs;
  auto count = names["length"].as<std::size_t>();
  for (std::size_t i = 0; i < count; ++i)
    inputs.push_back({names[i].as<std::string>(), bytes_of(files[i]),
                      created_of(last_modified_ms[i].as<double>())});
  std::vector<std::string> given;
  for (const PageFile& input : inputs) given.push_back(input.name);
  PageWorkbook workbook = page_combine(std::move(inputs));

  val failed = val::array();
  val warnings = val::array();
  for (std::size_t i = 0; i < workbook.outcomes.size(); ++i) {
    const BatchOutcome& outcome = workbook.outcomes[i];
    if (!outcome.result) {
      val item = val::object();
      item.set("name", given[i]);
      item.set("error", problem_text(outcome.result.error()));
      failed.call<void>("push", item);
    }
    if (!outcome.warnings.empty()) {
      val item = val::object();
      item.set("name", given[i]);
      item.set("warnings", warnings_value(outcome.warnings));
      warnings.call<void>("push", item);
    }
  }
  val sheet_names = val::array();
  for (const std::string& sheet : workbook.sheet_names) sheet_names.call<void>("push", sheet);
  val result = val::object();
  result.set("xlsx", workbook.workbook.empty() ? val::null() : uint8_array(workbook.workbook));
  result.set("error", problem_value(workbook.error));
  result.set("sheetNames", sheet_names);
  result.set("failed", failed);
  result.set("warnings", warnings);
  return result;
}

// The archive, or the Error to throw: a name given twice, which would leave
// one report hidden behind the other when the archive is unpacked.
val zipped_or_error(const val& names, const val& files) {
  auto count = names["length"].as<std::size_t>();
  std::vector<std::string> bytes;
  for (std::size_t i = 0; i < count; ++i) bytes.push_back(bytes_of(files[i]));
  std::vector<ZipMember> members;
  std::set<std::string> seen;
  for (std::size_t i = 0; i < count; ++i) {
    members.push_back({names[i].as<std::string>(), bytes[i]});
    if (!seen.insert(members.back().name).second)
      return val::global("Error").new_("zipReports: " + members.back().name + " is named twice");
  }
  Result<std::string> zipped = reports_zip(members);
  if (!zipped) return val::global("Error").new_("zipReports: " + problem_text(zipped.error()));
  return uint8_array(zipped.value());
}

// Thrown from here, where no C++ object is left for the JavaScript exception
// to pass by unfreed.
val zip_reports(val names, val files) {
  val zip = zipped_or_error(names, files);
  if (zip.instanceof (val::global("Error"))) zip.throw_();
  return zip;
}

}  // namespace
}  // namespace ordelix

EMSCRIPTEN_BINDINGS(ordelix_core) {
  emscripten::function("convert", &ordelix::convert);
  emscripten::function("runData", &ordelix::run_data);
  emscripten::function("combine", &ordelix::combine);
  emscripten::function("zipReports", &ordelix::zip_reports);
  emscripten::function("modes", &ordelix::modes);
  emscripten::function("modeOf", &ordelix::mode_of);
}
