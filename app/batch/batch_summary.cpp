#include "batch_summary.h"

namespace ordelix {
namespace {

bool utf8_continuation(char c) {
  return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

}  // namespace

BatchTally batch_tally(const std::vector<BatchOutcome>& outcomes) {
  BatchTally tally;
  for (const BatchOutcome& outcome : outcomes) {
    if (!outcome.attempted) continue;
    if (outcome.skipped) {
      ++tally.skipped;
      continue;
    }
    if (!outcome.result) {
      ++tally.failed;
      continue;
    }
    ++tally.converted;
    if (!outcome.warnings.empty()) ++tally.with_warnings;
  }
  return tally;
}

std::string batch_summary_text(const BatchTally& tally, bool skipping) {
  std::string text = std::to_string(tally.converted) + " converted, " +
                     std::to_string(tally.failed) + " failed, " +
                     std::to_string(tally.with_warnings) + " with warnings";
  if (skipping || tally.skipped > 0) text += ", " + std::to_string(tally.skipped) + " skipped";
  return text;
}

std::string batch_progress_text(const BatchProgress& progress, std::size_t width) {
  std::string head = std::to_string(progress.done) + "/" + std::to_string(progress.total) +
                     " done, " + std::to_string(progress.failed) + " failed  ";
  std::string file = progress.current;
  if (width > 0 && head.size() + file.size() > width) {
    const std::string ellipsis = "...";
    if (head.size() + ellipsis.size() >= width) return head.substr(0, width);
    std::size_t cut = file.size() - (width - head.size() - ellipsis.size());
    while (cut < file.size() && utf8_continuation(file[cut])) ++cut;
    file = ellipsis + file.substr(cut);
  }
  return head + file;
}

}  // namespace ordelix
