#pragma once

#include <chrono>
#include <cstddef>
#include <mutex>
#include <ostream>
#include <string>
#include <vector>

#include "core/ordelix.h"

enum class Verbosity { quiet, normal, verbose };

// What ordelix-convert tells the user about a batch: errors (always, on
// stderr), warnings, what each file became (-v), and the summary, on
// `notes`; and, when stderr is a terminal, a progress line that each message
// pushes down and that is gone at the end. While watching, each report made,
// each kept and each failure is told on a line that starts with the local
// time.
class ConsoleReporter : public ordelix::WatchObserver {
 public:
  ConsoleReporter(Verbosity verbosity, std::ostream& notes, bool progress_line);

  // The files behind the batch's indices and where their reports go; a file
  // without a target is told as made() once it is.
  void set_files(std::vector<std::string> inputs, std::vector<std::string> targets);
  // From now on lines are timed, and reports made are told unless quiet;
  // `started` is told once the watch is in place.
  void watching(std::string started);

  void batch_files(std::vector<std::string> inputs, std::vector<std::string> targets) override {
    set_files(std::move(inputs), std::move(targets));
  }
  void folder_failed(const std::string& folder, const ordelix::Problem& problem) override;
  void watch_started() override { note(watch_started_); }
  void report_kept(std::size_t index, const ordelix::Problem& why) override;

  void progressed(const ordelix::BatchProgress& progress) override;
  void reported(std::size_t index, const ordelix::BatchOutcome& outcome) override;

  // Names are printed with control characters escaped.
  void error(const std::string& file, const std::string& text);
  void note(const std::string& line);
  // What a file became, for -v; names in `line` already printable.
  void made(const std::string& line);
  // A file not converted because `report` stands complete, for -v.
  void skipped(const std::string& input, const std::string& report);
  // Clears the progress line and prints the summary; `skipping` when asked
  // to skip existing reports.
  void finish(const ordelix::BatchTally& tally, bool skipping);
  // Why the first line that did not reach `notes` failed; 0 when all did.
  int notes_errno() const { return notes_errno_; }

 private:
  // `timed` lines start with the local time while watching.
  void print(std::ostream& out, const std::string& line, bool timed = false);
  void clear_progress();

  Verbosity verbosity_;
  std::ostream& notes_;
  bool progress_line_;
  bool progress_shown_ = false;
  bool watching_ = false;
  std::string watch_started_;
  int notes_errno_ = 0;
  std::chrono::steady_clock::time_point last_drawn_{};
  std::vector<std::string> inputs_;
  std::vector<std::string> targets_;
  std::mutex mutex_;
};
