#pragma once

#include <pybind11/pybind11.h>

#include "rundata/run_data.h"

namespace ordelix {

// The run as Python values, for the package's Report: a dict of file, mode,
// created (ISO 8601 text, or None), header [(label, value)], tables
// [(title, columns, rows, notes)] and warnings [(line or None, text)];
// a value is None, a float or a str.
pybind11::dict python_run_data(const RunData& data);

}  // namespace ordelix
