#include "platform/c_numbers.h"

#include <clocale>
#include <mutex>
#include <string>

namespace ordelix {
namespace {

// msvcrt.dll has no locale per thread (mingw-w64's _configthreadlocale only
// pretends), so the process's locale stays C while any scope lives: one
// thread putting the user's locale back would give another's workbook commas.
// All of it, as on POSIX: the library's isspace() on UTF-8 bytes takes the
// second byte of "à" for the no-break space of a Western code page.
std::mutex holders_mutex;
int holders = 0;
std::string* users_locale = nullptr;

}  // namespace

CNumbersScope::CNumbersScope() : previous_(nullptr) {
  std::lock_guard lock(holders_mutex);
  if (holders++ > 0) return;
  const char* current = std::setlocale(LC_ALL, nullptr);
  if (current != nullptr && std::string(current) != "C") {
    users_locale = new std::string(current);
    std::setlocale(LC_ALL, "C");
  }
}

CNumbersScope::~CNumbersScope() {
  std::lock_guard lock(holders_mutex);
  if (--holders > 0 || users_locale == nullptr) return;
  std::setlocale(LC_ALL, users_locale->c_str());
  delete users_locale;
  users_locale = nullptr;
}

}  // namespace ordelix
