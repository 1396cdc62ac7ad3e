#pragma once

#include <string>
#include <string_view>

#include "base/problem.h"

namespace ordelix {

// A warning as compilers print theirs, so that editors jump to the line:
// "PATH:LINE: warning: DETAIL", or "PATH: warning: DETAIL" for the whole file.
std::string warning_line(std::string_view path, const Problem& warning);

// Why --strict gives a file with `warnings` no report.
std::string strict_refusal_text(std::size_t warnings);

}  // namespace ordelix
