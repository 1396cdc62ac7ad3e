#include "platform/c_numbers.h"

#include <locale.h>

namespace ordelix {
namespace {

locale_t c_locale() {
  static const locale_t c = newlocale(LC_ALL_MASK, "C", nullptr);
  return c;
}

}  // namespace

CNumbersScope::CNumbersScope() : previous_(uselocale(c_locale())) {}

CNumbersScope::~CNumbersScope() {
  uselocale(static_cast<locale_t>(previous_));
}

}  // namespace ordelix
