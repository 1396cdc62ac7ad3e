#pragma once

namespace ordelix {

// While one lives, this thread formats and reads numbers with "." as decimal
// mark, whatever the user's locale: the workbook library prints numbers with
// the C library, and a decimal comma would corrupt the workbook.
class CNumbersScope {
 public:
  CNumbersScope();
  ~CNumbersScope();
  CNumbersScope(const CNumbersScope&) = delete;
  CNumbersScope& operator=(const CNumbersScope&) = delete;

 private:
  void* previous_;
};

}  // namespace ordelix
