#pragma once

#include <optional>
#include <span>
#include <string>

#include "base/problem.h"
#include "report_save.h"

namespace ordelix {

// Makes reports written without a sync of their own durable: one alone by
// itself, several with one flush of each file system they are on, much
// cheaper than one each.
std::optional<Problem> reports_flush(std::span<PendingReport* const> reports);

// Makes the names of placed reports durable: one flush of each of their folders.
std::optional<Problem> report_folders_flush(std::span<const std::string> targets);

}  // namespace ordelix
