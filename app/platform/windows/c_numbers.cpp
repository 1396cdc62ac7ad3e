#include "platform/c_numbers.h"

#include <clocale>
#include <string>

namespace ordelix {

// The C runtime's locale is the process's unless a thread asks for one of
// its own, which it then keeps.
CNumbersScope::CNumbersScope() : previous_(nullptr) {
  _configthreadlocale(_ENABLE_PER_THREAD_LOCALE);
  const char* current = std::setlocale(LC_NUMERIC, nullptr);
  if (current != nullptr && std::string(current) != "C") {
    previous_ = new std::string(current);
    std::setlocale(LC_NUMERIC, "C");
  }
}

CNumbersScope::~CNumbersScope() {
  if (previous_ == nullptr) return;
  auto* previous = static_cast<std::string*>(previous_);
  std::setlocale(LC_NUMERIC, previous->c_str());
  delete previous;
}

}  // namespace ordelix
