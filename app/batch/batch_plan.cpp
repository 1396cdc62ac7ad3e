#include "batch_plan.h"

#include <filesystem>
#include <map>

namespace ordelix {

namespace fs = std::filesystem;

std::vector<std::string> batch_report_paths(const std::vector<BatchInput>& inputs,
                                            const std::string& output, const std::string& folder) {
  std::vector<std::string> targets;
  for (const BatchInput& input : inputs) {
    if (!output.empty()) {
      targets.push_back(output);
      continue;
    }
    fs::path report = folder.empty() ? fs::path(input.path) : fs::path(folder) / input.relative;
    targets.push_back(report.replace_extension(".xlsx").string());
  }
  return targets;
}

std::optional<TargetClash> batch_find_clash(const std::vector<std::string>& targets) {
  std::map<fs::path, std::size_t> seen;
  for (std::size_t i = 0; i < targets.size(); ++i) {
    std::error_code ec;
    fs::path key = fs::weakly_canonical(fs::absolute(targets[i]), ec);
    if (ec) key = fs::absolute(targets[i]).lexically_normal();
    auto [it, inserted] = seen.emplace(key, i);
    if (!inserted) return TargetClash{it->second, i};
  }
  return std::nullopt;
}

}  // namespace ordelix
