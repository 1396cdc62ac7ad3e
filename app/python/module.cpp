// The compiled part of the Python package `ordelix` (ordelix/__init__.py):
// conversions and saves on the core, with the interpreter free meanwhile.
// Paths come as the bytes the system names the files by.

#include <pybind11/pybind11.h>
#include <pybind11/stl.h>

#include <optional>

#include "converted_file.h"
#include "python_values.h"

namespace py = pybind11;

namespace ordelix {
namespace {

using Released = py::call_guard<py::gil_scoped_release>;

}  // namespace

PYBIND11_MODULE(_ordelix, module) {
  module.doc() = "Export files converted and their reports saved by the Ordelix core.";
  module.attr("version") = ORDELIX_VERSION;
  py::register_exception<FileFailure>(module, "FileFailure");

  py::class_<ConvertedFile>(module, "ConvertedFile",
                            "An export file that gave a report: its data and its workbook.")
      .def_property_readonly(
          "data", [](const ConvertedFile& file) { return python_run_data(file.data); },
          "The run as Python values: see python_values.h.")
      .def(
          "json", [](const ConvertedFile& file) { return run_data_json(file.data); }, Released(),
          "The run as ordelix-convert --format json writes it.")
      .def_property_readonly(
          "curve",
          [](const ConvertedFile& file) -> py::object {
            std::optional<ReportCurve> curve = report_curve(file.conversion.sheet);
            if (!curve) return py::none();
            return py::make_tuple(curve->title, curve->x_heading, curve->y_heading, curve->xs,
                                  curve->ys);
          },
          "The curve a picture of the report draws, (title, x title, y title, xs, ys), or None.")
      .def("csv", &csv_text, py::arg("separator"), Released(),
           "The run as ordelix-convert --format csv writes it.")
      .def("save", &save_report, py::arg("target"), py::arg("replace_existing"),
           py::arg("csv_separator"), Released(),
           "Saves the report at target, in the format its extension names, as "
           "ordelix-convert does; FileFailure when it is not.");

  module.def("convert", &convert_file, py::arg("path"), Released(),
             "The export file converted; FileFailure when it gives no report.");
  module.def("save_combined", &save_combined, py::arg("files"), py::arg("target"),
             py::arg("replace_existing"), Released(),
             "The converted files saved as one combined report at target, in the format its "
             "extension names; FileFailure when it is not.");
  module.def("convert_many", &convert_files, py::arg("paths"), py::arg("workers"), Released(),
             "Each file converted on the workers (0: one per processor), in order: its "
             "ConvertedFile, or the message why it gives none.");
}

}  // namespace ordelix
