#pragma once

#include "zip_bytes.h"

namespace ordelix {

// Whether two zips hold the same entries in the same order, each inflating
// to the same bytes; how each was deflated does not matter. False where
// either does not read through.
bool zip_same_contents(const ZipSource& a, const ZipSource& b);

}  // namespace ordelix
