#pragma once

#include <string>
#include <string_view>

#include "base/problem.h"

namespace ordelix {

// Why an export file gave no report, or its report was not saved, as the
// converter words it without its own name: "PATH: REASON", with the report's
// path after a reason about the report. Names are printable.
std::string failure_message(std::string_view path, const Problem& failure,
                            std::string_view target = {});

}  // namespace ordelix
