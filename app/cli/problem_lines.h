#pragma once

#include <string>
#include <string_view>

#include "core/ordelix.h"

namespace ordelix {

// A warning as compilers print theirs, so that editors jump to the line:
// "PATH:LINE: warning: DETAIL", or "PATH: warning: DETAIL" for the whole file.
std::string warning_line(std::string_view path, const Problem& warning);

// An error in its words, with the option that overcomes it where there is
// one, and the report's name when the error is the report's.
std::string failure_text(const Problem& error, std::string_view shown_target = {});

}  // namespace ordelix
