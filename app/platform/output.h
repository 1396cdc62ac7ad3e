#pragma once

#include <string_view>

#include "base/result.h"

namespace ordelix {

// Writes all of `bytes` to an output the caller holds open by its C runtime
// descriptor (standard output, say). Error: stdout_failed.
Result<void> output_write(int descriptor, std::string_view bytes);

}  // namespace ordelix
