#pragma once

#include <optional>
#include <string>
#include <vector>

#include "problem.h"

namespace ordelix {

// Makes the written files durable: one file alone by itself, several with
// one flush of each file system they are on, much cheaper than one each.
std::optional<Problem> reports_flush(const std::vector<std::string>& files);

// Makes the names of the files durable: one flush of each of their folders.
std::optional<Problem> report_folders_flush(const std::vector<std::string>& files);

}  // namespace ordelix
