#pragma once

#include <vector>

#include "core/ordelix.h"

// Files dropped on the program's icon come with no options: the reports
// that stand already at their jobs' targets are answered once, in the
// console. True when they are to be replaced; else they are kept, their
// jobs moved from `jobs` into `kept`.
bool existing_reports_replace(std::vector<ordelix::BatchJob>& jobs,
                              std::vector<ordelix::BatchJob>& kept);
