#include "report_format.h"

#include <algorithm>
#include <array>
#include <cctype>

namespace ordelix {
namespace {

constexpr std::array<ReportFormat, 3> formats{ReportFormat::xlsx, ReportFormat::json,
                                              ReportFormat::csv};

bool same_ignoring_case(std::string_view a, std::string_view b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return std::tolower(static_cast<unsigned char>(x)) ==
           std::tolower(static_cast<unsigned char>(y));
  });
}

}  // namespace

std::string_view report_format_name(ReportFormat format) {
  switch (format) {
    case ReportFormat::xlsx:
      return "xlsx";
    case ReportFormat::json:
      return "json";
    case ReportFormat::csv:
      return "csv";
  }
  return "xlsx";
}

std::optional<ReportFormat> report_format_named(std::string_view name) {
  for (ReportFormat format : formats)
    if (same_ignoring_case(name, report_format_name(format))) return format;
  return std::nullopt;
}

std::optional<ReportFormat> report_format_of_file(std::string_view file_name) {
  std::size_t dot = file_name.rfind('.');
  // A leading dot hides a file; it does not start an extension.
  if (dot == std::string_view::npos || dot == 0) return std::nullopt;
  return report_format_named(file_name.substr(dot + 1));
}

}  // namespace ordelix
