#pragma once

#include <string>

#include "conversion.h"
#include "rundata/run_data.h"

namespace ordelix {

// The run as data: what the report of the export file at `path`, converted
// as `conversion`, shows, and the warnings it gave.
RunData run_data_of(const std::string& path, const Conversion& conversion);

}  // namespace ordelix
