#pragma once

#include <string>

#include "rundata/run_data.h"

namespace ordelix::test {

// A run data cell holding nothing, and one holding a text.
inline const DataValue none{};

inline DataValue text(const char* t) {
  return std::string(t);
}

}  // namespace ordelix::test
