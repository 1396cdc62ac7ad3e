#include "failure_message.h"

#include "base/printable_name.h"
#include "core/ordelix.h"

namespace ordelix {

std::string failure_message(std::string_view path, const Problem& failure,
                            std::string_view target) {
  // The converter's hint names its option; here it is the save's argument.
  return printable_name(path) + ": " +
         failure_words(failure, printable_name(target), "force=True replaces it");
}

}  // namespace ordelix
