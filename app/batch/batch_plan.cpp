#include "batch_plan.h"

#include <map>

#include "platform/paths.h"

namespace ordelix {

std::vector<std::string> batch_report_paths(const std::vector<BatchInput>& inputs,
                                            const std::string& output, const std::string& folder,
                                            ReportFormat format) {
  // Built by appending: GCC 12 warns falsely on "." + std::string.
  std::string extension(".");
  extension += report_format_name(format);
  std::vector<std::string> targets;
  for (const BatchInput& input : inputs) {
    if (!output.empty()) {
      targets.push_back(output);
      continue;
    }
    std::string report = folder.empty() ? input.path : path_join(folder, input.relative);
    targets.push_back(path_with_extension(report, extension));
  }
  return targets;
}

std::optional<TargetClash> batch_find_clash(const std::vector<std::string>& targets) {
  std::vector<std::string> identities = path_identities(targets);
  std::map<std::string, std::size_t> seen;
  for (std::size_t i = 0; i < targets.size(); ++i) {
    auto [it, inserted] = seen.emplace(identities[i], i);
    if (!inserted) return TargetClash{it->second, i};
  }
  return std::nullopt;
}

std::optional<std::size_t> batch_find_input_at(std::vector<std::string> inputs,
                                               const std::string& target) {
  inputs.push_back(target);
  std::vector<std::string> identities = path_identities(inputs);
  for (std::size_t i = 0; i + 1 < identities.size(); ++i)
    if (identities[i] == identities.back()) return i;
  return std::nullopt;
}

}  // namespace ordelix
