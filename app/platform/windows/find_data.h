#pragma once

#include <windows.h>

namespace ordelix {

// Ends a search when its handle goes: a std::unique_ptr's deleter.
struct FindCloser {
  void operator()(HANDLE h) const { FindClose(h); }
};

// An entry a folder search passes over, as Explorer does unless asked:
// dot-names (".", ".." and Unix-style hidden ones), hidden and system files.
inline bool hidden_entry(const WIN32_FIND_DATAW& found) {
  return found.cFileName[0] == L'.' ||
         (found.dwFileAttributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM));
}

}  // namespace ordelix
