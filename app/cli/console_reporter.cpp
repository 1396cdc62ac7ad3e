#include "console_reporter.h"

#include <cerrno>
#include <ctime>
#include <iostream>

#include "base/printable_name.h"
#include "platform/console.h"
#include "problem_lines.h"
#include "program_name.h"

namespace {

// Redrawing the line for every file would cost a small file's conversion time.
constexpr std::chrono::milliseconds redraw_interval{100};

// Not thread-safe: under the reporter's lock.
std::string local_time_now() {
  std::time_t now = std::time(nullptr);
  char text[32];
  const std::tm* local = std::localtime(&now);
  if (local == nullptr || std::strftime(text, sizeof text, "%H:%M:%S ", local) == 0) return {};
  return text;
}

}  // namespace

ConsoleReporter::ConsoleReporter(Verbosity verbosity, std::ostream& notes, bool progress_line)
    : verbosity_(verbosity), notes_(notes), progress_line_(progress_line) {}

void ConsoleReporter::set_files(std::vector<std::string> inputs, std::vector<std::string> targets) {
  inputs_ = std::move(inputs);
  targets_ = std::move(targets);
}

void ConsoleReporter::watching(std::string started) {
  watching_ = true;
  watch_started_ = std::move(started);
  progress_line_ = false;
}

void ConsoleReporter::folder_failed(const std::string& folder, const ordelix::Problem& problem) {
  error(folder, ordelix::problem_text(problem));
}

void ConsoleReporter::report_kept(std::size_t index, const ordelix::Problem& why) {
  if (verbosity_ != Verbosity::quiet)
    print(notes_,
          ordelix::printable_name(inputs_[index]) + ": " +
              ordelix::failure_text(why, ordelix::printable_name(targets_[index])),
          true);
}

void ConsoleReporter::progressed(const ordelix::BatchProgress& progress) {
  if (!progress_line_) return;
  std::lock_guard lock(mutex_);
  auto now = std::chrono::steady_clock::now();
  if (progress_shown_ && now - last_drawn_ < redraw_interval) return;
  last_drawn_ = now;
  ordelix::BatchProgress shown = progress;
  shown.current = ordelix::printable_name(progress.current);
  std::cerr << '\r' << ordelix::batch_progress_text(shown, ordelix::console_width()) << std::flush;
  ordelix::console_erase_line_end();
  progress_shown_ = true;
}

void ConsoleReporter::reported(std::size_t index, const ordelix::BatchOutcome& outcome) {
  std::string input = ordelix::printable_name(inputs_[index]);
  std::string target = ordelix::printable_name(targets_[index]);
  if (verbosity_ != Verbosity::quiet)
    for (const ordelix::Problem& warning : outcome.warnings)
      print(std::cerr, ordelix::warning_line(input, warning));
  if (!outcome.result) {
    error(inputs_[index], ordelix::failure_text(outcome.result.error(), target));
    return;
  }
  if (outcome.skipped)
    skipped(inputs_[index], targets_[index]);
  else if (!target.empty())
    made((watching_ ? "converted " : "") + input + " -> " + target);
}

void ConsoleReporter::error(const std::string& file, const std::string& text) {
  print(std::cerr, std::string(program) + ": " + ordelix::printable_name(file) + ": " + text, true);
}

void ConsoleReporter::note(const std::string& line) {
  if (verbosity_ != Verbosity::quiet) print(notes_, line);
}

void ConsoleReporter::made(const std::string& line) {
  if (verbosity_ == Verbosity::verbose || (watching_ && verbosity_ != Verbosity::quiet))
    print(notes_, line, true);
}

void ConsoleReporter::skipped(const std::string& input, const std::string& report) {
  // A watch keeps what stands without a word, unless asked.
  if (verbosity_ == Verbosity::verbose)
    print(notes_,
          ordelix::printable_name(input) +
              ": skipped, its report exists: " + ordelix::printable_name(report),
          true);
}

void ConsoleReporter::finish(const ordelix::BatchTally& tally, bool skipping) {
  {
    std::lock_guard lock(mutex_);
    clear_progress();
    progress_line_ = false;
  }
  note(ordelix::batch_summary_text(tally, skipping));
}

void ConsoleReporter::print(std::ostream& out, const std::string& line, bool timed) {
  std::lock_guard lock(mutex_);
  clear_progress();
  errno = 0;
  out << (timed && watching_ ? local_time_now() : std::string()) << line << '\n';
  if (&out != &std::cerr) out.flush();
  if (!out && notes_errno_ == 0) notes_errno_ = errno != 0 ? errno : EIO;
}

void ConsoleReporter::clear_progress() {
  if (!progress_shown_) return;
  std::cerr << '\r' << std::flush;
  ordelix::console_erase_line_end();
  progress_shown_ = false;
}
