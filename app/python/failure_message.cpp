#include "failure_message.h"

#include "base/printable_name.h"

namespace ordelix {

std::string failure_message(std::string_view path, const Problem& failure,
                            std::string_view target) {
  std::string why = problem_text(failure);
  // The converter's hint names its option; here it is the save's argument.
  if (failure.kind == ProblemKind::target_exists) why += " (force=True replaces it)";
  if (problem_concerns_target(failure.kind)) why += ": " + printable_name(target);
  return printable_name(path) + ": " + why;
}

}  // namespace ordelix
