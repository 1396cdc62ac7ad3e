#pragma once

#include <optional>
#include <string>
#include <vector>

#include "batch_inputs.h"
#include "report_format.h"

namespace ordelix {

// Where each export file of a batch gets its report: `output` for a single
// file, else at its relative place under `folder` if given, else next to the
// file; named with the format's extension.
std::vector<std::string> batch_report_paths(const std::vector<BatchInput>& inputs,
                                            const std::string& output, const std::string& folder,
                                            ReportFormat format = ReportFormat::xlsx);

struct TargetClash {
  std::size_t first;
  std::size_t second;
};

// Two inputs whose reports would land on the same file.
std::optional<TargetClash> batch_find_clash(const std::vector<std::string>& targets);

// The first of `inputs` that a report saved at `target` would replace.
std::optional<std::size_t> batch_find_input_at(std::vector<std::string> inputs,
                                               const std::string& target);

}  // namespace ordelix
