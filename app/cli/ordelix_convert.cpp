// ordelix-convert: export files in, .xlsx reports or their data out, for
// scripts and batches.

#include <CLI/CLI.hpp>
#include <algorithm>
#include <cerrno>
#include <chrono>
#include <clocale>
#include <cstdio>
#include <iostream>
#include <optional>

#include "base/printable_name.h"
#include "command_line.h"
#include "console_reporter.h"
#include "core/ordelix.h"
#include "existing_reports.h"
#include "platform/arguments.h"
#include "platform/console.h"
#include "platform/file_stamp.h"
#include "platform/memory_reuse.h"
#include "problem_lines.h"
#include "program_name.h"

namespace {

constexpr int exit_ok = 0;
constexpr int exit_failed = 1;
constexpr int exit_usage = 2;
constexpr int stdout_descriptor = 1;

Verbosity verbosity_of(const Options& options) {
  return options.quiet     ? Verbosity::quiet
         : options.verbose ? Verbosity::verbose
                           : Verbosity::normal;
}

// The file arguments with their wildcards expanded, where the shell leaves
// that to the program; a pattern that matches nothing fails, as a missing
// file does. Counts those.
std::vector<std::string> with_wildcards_expanded(const std::vector<std::string>& arguments,
                                                 ConsoleReporter& reporter,
                                                 std::size_t& unmatched) {
  std::vector<std::string> expanded;
  for (const std::string& argument : arguments) {
    std::optional<std::vector<std::string>> matches = ordelix::argument_wildcard_matches(argument);
    if (!matches) {
      expanded.push_back(argument);
    } else if (matches->empty()) {
      reporter.error(argument, "no file matches this pattern");
      ++unmatched;
    } else {
      expanded.insert(expanded.end(), matches->begin(), matches->end());
    }
  }
  return expanded;
}

std::string skipped_text(const ordelix::InputSelection& selection) {
  std::string text;
  if (std::size_t n = selection.skipped_files; n > 0)
    text = std::to_string(n) +
           (n == 1 ? " file in the folders is not an export file and was skipped"
                   : " files in the folders are not export files and were skipped");
  if (std::size_t n = selection.skipped_folders; n > 0)
    text += (text.empty() ? "" : "; ") + std::to_string(n) +
            (n == 1 ? " subfolder" : " subfolders") + " left out (-r converts them too)";
  return text;
}

std::vector<std::string> paths_of(const std::vector<ordelix::BatchInput>& inputs) {
  std::vector<std::string> paths;
  for (const ordelix::BatchInput& input : inputs) paths.push_back(input.path);
  return paths;
}

ordelix::BatchSettings settings_of(const Options& options) {
  ordelix::BatchSettings settings;
  settings.workers = options.jobs;
  settings.on_existing = options.force           ? ordelix::OnExistingReport::replace
                         : options.skip_existing ? ordelix::OnExistingReport::skip
                                                 : ordelix::OnExistingReport::refuse;
  settings.create_folders = !options.folder.empty();
  settings.refuse_warned = options.strict;
  settings.format = options.format;
  settings.csv_separator = options.csv_separator;
  return settings;
}

// One report on standard output.
std::vector<ordelix::BatchOutcome> convert_to_stdout(const Options& options,
                                                     const std::string& input,
                                                     ConsoleReporter& reporter) {
  ordelix::ConvertedBatch batch = ordelix::batch_convert({input}, settings_of(options), reporter);
  ordelix::BatchOutcome& outcome = batch.outcomes.front();
  if (!outcome.converted()) return batch.outcomes;
  outcome.result = ordelix::report_send(input, batch.conversions.front(), stdout_descriptor,
                                        {options.format, options.csv_separator, false});
  if (!outcome.result)
    reporter.error(input, ordelix::problem_text(outcome.result.error()));
  else
    reporter.made(ordelix::printable_name(input) + " -> standard output");
  return batch.outcomes;
}

// Each file's report at its place; files dropped on the icon have the
// reports that stand already answered in the console, and those kept count
// as skipped.
std::vector<ordelix::BatchOutcome> convert_each(Options& options,
                                                const std::vector<ordelix::BatchInput>& files,
                                                ConsoleReporter& reporter, bool dropped) {
  if (!options.output.empty() && files.size() != 1)
    throw UsageError("-o takes a single export file; -d or --combine takes several");
  ordelix::BatchPlan plan =
      ordelix::batch_plan(files, options.output, options.folder, options.format);
  if (plan.clash)
    throw UsageError(ordelix::printable_name(files[plan.clash->first].path) + " and " +
                     ordelix::printable_name(files[plan.clash->second].path) +
                     " would both write " + ordelix::printable_name(plan.clash_target) +
                     "; nothing was converted");
  if (options.output == to_stdout) {
    reporter.set_files({files.front().path}, {""});
    return convert_to_stdout(options, files.front().path, reporter);
  }
  std::vector<ordelix::BatchJob> kept;
  // Asked only when the command line has not answered already.
  if (dropped && !options.force && !options.skip_existing)
    options.force = existing_reports_replace(plan.jobs, kept);
  std::vector<std::string> inputs;
  std::vector<std::string> targets;
  for (const ordelix::BatchJob& job : plan.jobs) {
    inputs.push_back(job.input);
    targets.push_back(job.target);
  }
  reporter.set_files(inputs, targets);
  std::vector<ordelix::BatchOutcome> outcomes;
  for (const ordelix::BatchJob& job : kept) {
    reporter.skipped(job.input, job.target);
    ordelix::BatchOutcome outcome;
    outcome.attempted = outcome.skipped = true;
    outcomes.push_back(outcome);
  }
  std::vector<ordelix::BatchOutcome> made =
      ordelix::batch_save_reports(plan.jobs, settings_of(options), reporter);
  outcomes.insert(outcomes.end(), made.begin(), made.end());
  return outcomes;
}

// With -n, a combined report that stands already is kept, and its files
// skipped, only when it is the one these files give now; otherwise they all
// fail. False when there is nothing to keep.
bool combined_kept(const Options& options, const std::vector<std::string>& inputs,
                   ordelix::ConvertedBatch& batch, const ordelix::CombinedSheets& combined,
                   ConsoleReporter& reporter) {
  if (!options.skip_existing || options.combine == to_stdout) return false;
  ordelix::Result<ordelix::ExistingReport> existing =
      ordelix::batch_combined_existing(options.combine, options.format, inputs, batch, combined);
  if (existing && existing.value() == ordelix::ExistingReport::none) return false;
  if (!existing) {
    reporter.error(options.combine, ordelix::failure_text(existing.error()));
    for (std::size_t i : combined.files) batch.outcomes[i].result = existing.error();
    return true;
  }
  for (std::size_t i : combined.files) {
    batch.outcomes[i].skipped = true;
    reporter.skipped(inputs[i], options.combine);
  }
  return true;
}

// Every converted file as a sheet of one workbook, or as an object of one
// JSON array; when that cannot be saved, none of them counts as converted.
std::vector<ordelix::BatchOutcome> convert_combined(const Options& options,
                                                    const std::vector<ordelix::BatchInput>& files,
                                                    ConsoleReporter& reporter) {
  std::vector<std::string> inputs = paths_of(files);
  if (auto input = ordelix::batch_find_input_at(inputs, options.combine))
    throw UsageError(ordelix::printable_name(inputs[*input]) +
                     ": the combined workbook would replace this export file");
  reporter.set_files(inputs, std::vector<std::string>(inputs.size()));
  ordelix::ConvertedBatch batch = ordelix::batch_convert(inputs, settings_of(options), reporter);
  ordelix::CombinedSheets combined = ordelix::batch_combined_sheets(inputs, batch);
  if (combined.sheets.empty()) return batch.outcomes;
  if (combined_kept(options, inputs, batch, combined, reporter)) return batch.outcomes;

  ordelix::Result<void> saved =
      options.combine == to_stdout
          ? ordelix::batch_combined_send(inputs, batch, combined, stdout_descriptor, options.format)
          : ordelix::batch_combined_save(inputs, batch, combined, options.combine, options.format,
                                         options.force);
  if (!saved) {
    reporter.error(options.combine, ordelix::problem_text(saved.error()));
    for (std::size_t i : combined.files) batch.outcomes[i].result = saved;
    return batch.outcomes;
  }
  for (std::size_t k = 0; k < combined.files.size(); ++k) {
    std::string where =
        options.format == ordelix::ReportFormat::json ? "" : " [" + combined.sheets[k].name + "]";
    reporter.made(ordelix::printable_name(inputs[combined.files[k]]) + " -> " +
                  ordelix::printable_name(options.combine) + where);
  }
  return batch.outcomes;
}

// 0 when all written to standard output got there, else why not. Scripts
// read the converted files from it: losing that is a failure.
int stdout_error() {
  errno = 0;
  std::cout.flush();
  if (std::fflush(stdout) == 0 && std::cout && !std::ferror(stdout)) return 0;
  return errno != 0 ? errno : EIO;
}

// A report has taken 45 to 75 bytes of heap for each byte of its export file
// (scans, kinetics and protein runs of 10,000 lines); at 32, each large page
// asked for is one the report fills anyway.
std::size_t heap_surely_used(const std::string& path) {
  constexpr std::uint64_t heap_per_file_byte = 32;
  constexpr std::uint64_t file_bytes_counted = 1 << 20;  // past the most reserved
  std::optional<ordelix::FileStamp> stamp = ordelix::file_stamp(path);
  if (!stamp) return 0;
  return static_cast<std::size_t>(std::min(stamp->size, file_bytes_counted) * heap_per_file_byte);
}

std::chrono::milliseconds milliseconds_of(double seconds) {
  return std::chrono::round<std::chrono::milliseconds>(std::chrono::duration<double>(seconds));
}

// Until asked to stop, then the summary of all it did; a stop is no failure,
// a folder that cannot be watched at the start is.
int watch(const Options& options, ConsoleReporter& reporter) {
  ordelix::WatchRequest request{
      {options.arguments, options.recursive, milliseconds_of(options.settle_seconds),
       milliseconds_of(options.poll_seconds)},
      options.folder};
  reporter.watching("Watching " + std::to_string(options.arguments.size()) +
                    (options.arguments.size() == 1 ? " folder" : " folders") +
                    (options.recursive ? " and their subfolders" : "") + "; Ctrl-C stops.");
  ordelix::Result<ordelix::WatchEnd> end =
      ordelix::watch_folders(request, settings_of(options), reporter);
  if (!end) {
    reporter.error(options.arguments.front(), ordelix::problem_text(end.error()));
    return exit_failed;
  }
  reporter.finish(end->tally, true);
  return end->watched ? exit_ok : exit_failed;
}

// `dropped`: the files were dropped on the program's icon, in a console of
// its own; a folder then takes in its subfolders, and each file's fate is
// told, as a drop gives no options. Started with nothing, the program shows
// its help.
int convert(std::vector<std::string> arguments, bool dropped) {
  if (dropped && arguments.size() == 1) arguments.push_back("--help");
  CLI::App app{"", program};
  Options options;
  try {
    options = command_line_parse(arguments, app);
  } catch (const CLI::ParseError& e) {
    return app.exit(e) == 0 ? exit_ok : exit_usage;
  } catch (const UsageError& e) {
    std::cerr << program << ": " << e.what() << " (--help tells more)\n";
    return exit_usage;
  }
  if (dropped) {
    options.recursive = true;
    options.verbose = !options.quiet;
  }

  // Before any thread starts, so that each takes the stop as asked.
  if (options.watch) ordelix::console_stop_on_request();
  bool report_on_stdout = options.output == to_stdout || options.combine == to_stdout;
  ConsoleReporter reporter(verbosity_of(options), report_on_stdout ? std::cerr : std::cout,
                           !options.quiet && ordelix::console_is_terminal(2));
  if (options.watch) return watch(options, reporter);
  std::size_t unmatched = 0;
  ordelix::InputSelection selection = ordelix::batch_select_inputs(
      with_wildcards_expanded(options.arguments, reporter, unmatched), options.recursive);
  // One file alone gains nothing by reuse, and may be a large report; the
  // small blocks of a batch's files are freed and reused from one to the next.
  if (selection.files.size() > 1)
    ordelix::memory_keep_for_reuse();
  else if (selection.files.size() == 1)
    ordelix::memory_prefer_large_pages(heap_surely_used(selection.files.front().path));
  for (const ordelix::FolderProblem& p : selection.problems)
    reporter.error(p.folder, ordelix::problem_text(p.problem));
  if (std::string skipped = skipped_text(selection); !skipped.empty()) reporter.note(skipped);

  std::vector<ordelix::BatchOutcome> outcomes;
  try {
    outcomes = options.combine.empty() ? convert_each(options, selection.files, reporter, dropped)
                                       : convert_combined(options, selection.files, reporter);
  } catch (const UsageError& e) {
    std::cerr << program << ": " << e.what() << '\n';
    return exit_usage;
  }
  ordelix::BatchTally tally = ordelix::batch_tally(outcomes);
  tally.failed += selection.problems.size() + unmatched;
  reporter.finish(tally, options.skip_existing || tally.skipped > 0);
  if (int err = stdout_error(); err != 0) {
    if (reporter.notes_errno() != 0) err = reporter.notes_errno();
    ordelix::Problem lost(ordelix::ProblemKind::stdout_failed, err);
    std::cerr << program << ": " << ordelix::problem_text(lost) << '\n';
    return exit_failed;
  }
  return tally.failed == 0 ? exit_ok : exit_failed;
}

}  // namespace

#ifdef _WIN32
int wmain(int argc, wchar_t** argv) {
  std::setlocale(LC_ALL, "");
#else
// In the C locale: every text is the program's own English or bytes it was
// given, and loading the user's locale would cost a small conversion a
// twentieth of its memory.
int main(int argc, char** argv) {
#endif
  ordelix::console_prepare();
  bool dropped = ordelix::console_closes_with_program();
  int status = convert(ordelix::console_arguments(argc, argv), dropped);
  // Its window would close unread.
  if (dropped) ordelix::console_wait_for_key("Press any key to close this window.");
  return status;
}
