#pragma once

#include <optional>
#include <span>
#include <string>
#include <variant>
#include <vector>

// A report as data: what it shows, in the shape of docs/run-data.schema.json.
// run_data_of (run_data_conversion.h) reads it from a conversion.
namespace ordelix {

// A cell as data: none (an empty cell), a number, or a text in UTF-8.
using DataValue = std::variant<std::monostate, double, std::string>;

struct HeaderEntry {
  std::string label;  // without its padding
  DataValue value;
};

struct DataTable {
  DataValue title;                           // none where the report shows no title
  std::vector<DataValue> columns;            // the headings, left to right
  std::vector<std::vector<DataValue>> rows;  // one value per column
  // What the report shows with the table outside its heading and rows, left
  // to right and top to bottom: the calibration's equation and R.
  std::vector<DataValue> notes;
};

struct RunWarning {
  std::optional<long long> line;  // none for the whole file
  std::string text;               // the converter's words
};

struct RunData {
  std::string file;  // the export file's name (UTF-8, no folders)
  // "protein", "nucleic acid", "concentration", "photometry", "OD600",
  // "kinetics", "melting temperature", "wavelength scan"
  std::string mode;
  // ISO 8601 with the UTC offset, "2024-03-07T14:05:09+01:00": the report's
  // Time & Date; empty where the report shows none.
  std::string created;
  std::vector<HeaderEntry> header;
  std::vector<DataTable> tables;
  std::vector<RunWarning> warnings;
};

// One JSON object (RFC 8259), numbers in their shortest exact form.
std::string run_data_json(const RunData& data);
// A JSON array of the objects, in their order.
std::string run_data_json_array(std::span<const RunData> runs);
// The last table as CSV (RFC 4180, CR LF): its headings, then its rows; a
// separator of ';' writes numbers with a decimal comma. Empty without tables.
std::string run_data_csv(const RunData& data, char separator);

}  // namespace ordelix
