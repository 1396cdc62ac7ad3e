#pragma once

#include <optional>
#include <string_view>

namespace ordelix {

// What a report is written as: the workbook, or the run as data.
enum class ReportFormat { xlsx, json, csv };

// "xlsx", "json", "csv": as the format is named, and its file's extension
// after the dot.
std::string_view report_format_name(ReportFormat format);

// The format named `name` ("json"), in any case; none for another name.
std::optional<ReportFormat> report_format_named(std::string_view name);

// The format a report file's name calls for by its extension, in any case;
// none for another extension, or a name without one.
std::optional<ReportFormat> report_format_of_file(std::string_view file_name);

}  // namespace ordelix
