#include "existing_reports.h"

#include <algorithm>
#include <cstdio>
#include <string>

#include "platform/console.h"
#include "platform/paths.h"

bool existing_reports_replace(std::vector<ordelix::BatchJob>& jobs,
                              std::vector<ordelix::BatchJob>& kept) {
  // Anything but a file there fails as ever: only a file is replaced.
  auto standing = [](const ordelix::BatchJob& job) {
    return ordelix::path_kind(job.target) == ordelix::PathKind::regular;
  };
  std::size_t count = static_cast<std::size_t>(std::count_if(jobs.begin(), jobs.end(), standing));
  if (count == 0) return false;
  std::string them = count == 1 ? "it" : "them";
  std::string question =
      (count == 1 ? std::string("1 report exists") : std::to_string(count) + " reports exist") +
      " already.\nR replaces " + them + "; any other key keeps " + them +
      " and converts the rest: ";
  char key = ordelix::console_wait_for_key(question);
  bool replace = key == 'r' || key == 'R';
  std::fprintf(stderr, "%s\n", replace ? "replacing" : "keeping");
  if (replace) return true;
  auto first_kept = std::stable_partition(
      jobs.begin(), jobs.end(), [&](const ordelix::BatchJob& job) { return !standing(job); });
  kept.assign(first_kept, jobs.end());
  jobs.erase(first_kept, jobs.end());
  return false;
}
