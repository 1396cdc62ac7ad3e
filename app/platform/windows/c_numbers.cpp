#include "platform/c_numbers.h"

#include <clocale>
#include <mutex>
#include <string>

namespace ordelix {
namespace {

// msvcrt.dll has no locale per thread (mingw-w64's _configthreadlocale only
// pretends), so the process's numbers stay C while any scope lives: one
// thread putting the user's locale back would give another's workbook commas.
std::mutex holders_mutex;
int holders = 0;
std::string* users_numbers = nullptr;

}  // namespace

CNumbersScope::CNumbersScope() : previous_(nullptr) {
  std::lock_guard lock(holders_mutex);
  if (holders++ > 0) return;
  const char* current = std::setlocale(LC_NUMERIC, nullptr);
  if (current != nullptr && std::string(current) != "C") {
    users_numbers = new std::string(current);
    std::setlocale(LC_NUMERIC, "C");
  }
}

CNumbersScope::~CNumbersScope() {
  std::lock_guard lock(holders_mutex);
  if (--holders > 0 || users_numbers == nullptr) return;
  std::setlocale(LC_NUMERIC, users_numbers->c_str());
  delete users_numbers;
  users_numbers = nullptr;
}

}  // namespace ordelix
