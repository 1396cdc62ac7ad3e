#include "python_values.h"

#include <pybind11/stl.h>

namespace py = pybind11;

namespace ordelix {
namespace {

py::object value_object(const DataValue& value) {
  if (const auto* number = std::get_if<double>(&value)) return py::float_(*number);
  if (const auto* text = std::get_if<std::string>(&value)) return py::str(*text);
  return py::none();
}

py::list value_list(const std::vector<DataValue>& values) {
  py::list list;
  for (const DataValue& value : values) list.append(value_object(value));
  return list;
}

py::tuple table_tuple(const DataTable& table) {
  py::list rows;
  for (const std::vector<DataValue>& row : table.rows) rows.append(value_list(row));
  return py::make_tuple(value_object(table.title), value_list(table.columns), rows,
                        value_list(table.notes));
}

}  // namespace

py::dict python_run_data(const RunData& data) {
  py::list header;
  for (const HeaderEntry& entry : data.header)
    header.append(py::make_tuple(entry.label, value_object(entry.value)));
  py::list tables;
  for (const DataTable& table : data.tables) tables.append(table_tuple(table));
  py::list warnings;
  for (const RunWarning& warning : data.warnings)
    warnings.append(py::make_tuple(warning.line, warning.text));
  py::dict values;
  values["file"] = data.file;
  values["mode"] = data.mode;
  values["created"] = data.created.empty() ? py::object(py::none()) : py::str(data.created);
  values["header"] = header;
  values["tables"] = tables;
  values["warnings"] = warnings;
  return values;
}

}  // namespace ordelix
