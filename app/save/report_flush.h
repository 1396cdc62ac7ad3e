#pragma once

#include <span>
#include <string>

#include "base/result.h"
#include "report_save.h"

namespace ordelix {

// Makes reports written without a sync of their own durable, together.
Result<void> reports_flush(std::span<PendingReport* const> reports);

// Makes the names of placed reports durable: one flush of each of their folders.
Result<void> report_folders_flush(std::span<const std::string> targets);

}  // namespace ordelix
