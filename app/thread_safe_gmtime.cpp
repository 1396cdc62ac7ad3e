// The workbook library formats its document dates with gmtime(), whose one
// shared result would let two workbooks closed at once on two workers swap
// dates. This definition takes the C library's place in the whole program
// (the build makes the linker take it) and gives each thread its own result.

#include <time.h>

extern "C" struct tm* gmtime(const time_t* t) noexcept {
  thread_local struct tm result;
  return gmtime_r(t, &result);
}
