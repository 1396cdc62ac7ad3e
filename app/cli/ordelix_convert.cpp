// ordelix-convert: export files in, .xlsx reports out, for scripts and batches.

#include <malloc.h>
#include <unistd.h>

#include <CLI/CLI.hpp>
#include <algorithm>
#include <clocale>
#include <filesystem>
#include <iostream>
#include <thread>

#include "batch_inputs.h"
#include "batch_plan.h"
#include "batch_run.h"
#include "console_reporter.h"
#include "report_save.h"
#include "report_stream.h"
#include "sheet_names.h"

namespace {

namespace fs = std::filesystem;

constexpr const char* program = "ordelix-convert";
constexpr const char* to_stdout = "-";
constexpr int exit_ok = 0;
constexpr int exit_failed = 1;
constexpr int exit_usage = 2;

struct Options {
  std::vector<std::string> arguments;
  std::string output;
  std::string folder;
  std::string combine;
  bool recursive = false;
  bool force = false;
  bool quiet = false;
  bool verbose = false;
  unsigned jobs = std::max(1u, std::thread::hardware_concurrency());
};

class UsageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A workbook name given with -o or --combine: "-" or a file to be, named .xlsx.
void check_workbook_name(const std::string& option, const std::string& name) {
  if (name == to_stdout) {
    if (::isatty(STDOUT_FILENO))
      throw UsageError(option + " -: standard output is a terminal; redirect it to a file");
    return;
  }
  std::error_code ec;
  if (fs::is_directory(name, ec))
    throw UsageError(option + " " + name + ": is a folder; -d writes reports into a folder");
  std::string extension = fs::path(name).extension().string();
  std::transform(extension.begin(), extension.end(), extension.begin(),
                 [](unsigned char c) { return std::tolower(c); });
  if (extension != ".xlsx")
    throw UsageError(option + " " + name + ": a report's name must end in .xlsx");
}

void check_options(const CLI::App& app, const Options& options) {
  for (const std::string& extra : app.remaining())
    throw UsageError(extra.rfind('-', 0) == 0 ? "unknown option " + extra
                                              : "unexpected argument " + extra);
  if (options.arguments.empty()) throw UsageError("no FILE given");
  if (!options.output.empty()) check_workbook_name("-o", options.output);
  if (!options.combine.empty()) check_workbook_name("--combine", options.combine);
  std::error_code ec;
  if (!options.folder.empty() && fs::exists(options.folder, ec) &&
      !fs::is_directory(options.folder, ec))
    throw UsageError("-d " + options.folder + ": is not a folder");
}

Options parse(int argc, char** argv, CLI::App& app) {
  Options options;
  app.allow_extras();
  app.add_option("FILE", options.arguments,
                 "export files (.PRO .NUC .CON .PHT .OD .TSC .TM .WSC) or folders of them");
  auto* output = app.add_option("-o,--output", options.output,
                                "report file for a single FILE; - writes it to standard output");
  auto* folder = app.add_option("-d,--dir", options.folder,
                                "folder for the reports, made if missing; keeps the layout of "
                                "FILE folders");
  auto* combine =
      app.add_option("--combine", options.combine,
                     "one workbook with a sheet per export file; - for standard output");
  output->excludes(folder)->excludes(combine);
  folder->excludes(combine);
  app.add_flag("-r,--recursive", options.recursive, "also convert the subfolders of FILE folders");
  app.add_flag("-f,--force", options.force, "replace reports that already exist");
  app.add_option("-j,--jobs", options.jobs, "files converted at once (default: the CPU count)")
      ->check(CLI::Range(1u, 1024u));
  auto* quiet = app.add_flag("-q,--quiet", options.quiet, "print errors only");
  auto* verbose = app.add_flag("-v,--verbose", options.verbose, "also print each report made");
  quiet->excludes(verbose);
  app.set_version_flag("-V,--version", std::string(program) + " " + ORDELIX_VERSION);
  app.footer(
      "Without -o, -d or --combine each report is written next to its FILE, named FILE.xlsx.\n"
      "A folder FILE gives its export files; other files in it are skipped.\n"
      "Exit status: 0 when every file converted, 1 when any failed, 2 on a usage error.");
  app.parse(argc, argv);
  check_options(app, options);
  return options;
}

Verbosity verbosity_of(const Options& options) {
  return options.quiet     ? Verbosity::quiet
         : options.verbose ? Verbosity::verbose
                           : Verbosity::normal;
}

std::string skipped_text(const ordelix::InputSelection& selection) {
  std::string text;
  if (std::size_t n = selection.skipped_files; n > 0)
    text = std::to_string(n) + (n == 1 ? " file" : " files") +
           " in the folders named no measurement mode and " + (n == 1 ? "was" : "were") +
           " skipped";
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
  settings.replace_existing = options.force;
  settings.create_folders = !options.folder.empty();
  return settings;
}

// One report on standard output.
std::vector<ordelix::BatchOutcome> convert_to_stdout(const std::string& input,
                                                     ConsoleReporter& reporter) {
  ordelix::Conversion conversion = ordelix::convert_export_file(input);
  ordelix::BatchOutcome outcome;
  outcome.attempted = true;
  outcome.error = conversion.error;
  outcome.warnings = conversion.warnings;
  if (!outcome.error) {
    ordelix::WorkbookSheet only{&conversion.sheet, {}};
    outcome.error = ordelix::report_stream({&only, 1}, STDOUT_FILENO, conversion.created);
  }
  reporter.reported(0, outcome);
  return {outcome};
}

std::vector<ordelix::BatchOutcome> convert_each(const Options& options,
                                                const std::vector<ordelix::BatchInput>& files,
                                                ConsoleReporter& reporter) {
  if (!options.output.empty() && files.size() != 1)
    throw UsageError("-o takes a single export file; -d or --combine takes several");
  std::vector<std::string> inputs = paths_of(files);
  std::vector<std::string> targets =
      ordelix::batch_report_paths(files, options.output, options.folder);
  if (auto clash = ordelix::batch_find_clash(targets))
    throw UsageError(inputs[clash->first] + " and " + inputs[clash->second] + " would both write " +
                     targets[clash->second] + "; nothing was converted");
  reporter.set_files(inputs, targets);
  if (options.output == to_stdout) return convert_to_stdout(inputs.front(), reporter);

  std::vector<ordelix::BatchJob> jobs;
  for (std::size_t i = 0; i < inputs.size(); ++i) jobs.push_back({inputs[i], targets[i]});
  return ordelix::batch_save_reports(jobs, settings_of(options), reporter);
}

// Every converted file as a sheet of one workbook; when that cannot be saved,
// none of them counts as converted.
std::vector<ordelix::BatchOutcome> convert_combined(const Options& options,
                                                    const std::vector<ordelix::BatchInput>& files,
                                                    ConsoleReporter& reporter) {
  std::vector<std::string> inputs = paths_of(files);
  for (const std::string& input : inputs)
    if (ordelix::batch_find_clash({input, options.combine}))
      throw UsageError(input + ": the combined workbook would replace this export file");
  reporter.set_files(inputs, std::vector<std::string>(inputs.size()));
  ordelix::ConvertedBatch batch = ordelix::batch_convert(inputs, settings_of(options), reporter);

  std::vector<std::string> names;
  std::vector<std::size_t> kept;
  std::time_t created = 0;
  for (std::size_t i = 0; i < inputs.size(); ++i) {
    if (!batch.outcomes[i].converted()) continue;
    kept.push_back(i);
    names.push_back(fs::path(inputs[i]).filename().string());
    created = std::max(created, batch.conversions[i].created);
  }
  if (kept.empty()) return batch.outcomes;
  names = ordelix::sheet_names_for(names);
  std::vector<ordelix::WorkbookSheet> sheets;
  for (std::size_t k = 0; k < kept.size(); ++k)
    sheets.push_back({&batch.conversions[kept[k]].sheet, names[k]});

  std::optional<ordelix::Problem> failed;
  if (options.combine == to_stdout) {
    failed = ordelix::report_stream(sheets, STDOUT_FILENO, created);
  } else {
    ordelix::SaveOptions save;
    save.replace_existing = options.force;
    save.created = created;
    failed = ordelix::report_save_workbook(sheets, options.combine, save);
  }
  if (failed) {
    reporter.error(options.combine, ordelix::problem_text(*failed));
    for (std::size_t i : kept) batch.outcomes[i].error = failed;
    return batch.outcomes;
  }
  for (std::size_t k = 0; k < kept.size(); ++k)
    reporter.made(inputs[kept[k]] + " -> " + options.combine + " [" + names[k] + "]");
  return batch.outcomes;
}

}  // namespace

int main(int argc, char** argv) {
  std::setlocale(LC_ALL, "");
  // Each conversion frees what it used; handing that back to the system and
  // faulting it in again, zeroed, for the next file cost more than the
  // conversion. A batch keeps it instead; the peak stays that of one file per worker.
  ::mallopt(M_TRIM_THRESHOLD, 64 << 20);
  ::mallopt(M_MMAP_THRESHOLD, 4 << 20);

  CLI::App app{"Converts spectrophotometer export files into .xlsx reports.", program};
  Options options;
  try {
    options = parse(argc, argv, app);
  } catch (const CLI::ParseError& e) {
    return app.exit(e) == 0 ? exit_ok : exit_usage;
  } catch (const UsageError& e) {
    std::cerr << program << ": " << e.what() << " (--help tells more)\n";
    return exit_usage;
  }

  bool workbook_on_stdout = options.output == to_stdout || options.combine == to_stdout;
  ConsoleReporter reporter(verbosity_of(options), workbook_on_stdout ? std::cerr : std::cout,
                           !options.quiet && ::isatty(STDERR_FILENO));
  ordelix::InputSelection selection =
      ordelix::batch_select_inputs(options.arguments, options.recursive);
  for (const ordelix::FolderProblem& p : selection.problems)
    reporter.error(p.folder, ordelix::problem_text(p.problem));
  if (std::string skipped = skipped_text(selection); !skipped.empty()) reporter.note(skipped);

  std::vector<ordelix::BatchOutcome> outcomes;
  try {
    outcomes = options.combine.empty() ? convert_each(options, selection.files, reporter)
                                       : convert_combined(options, selection.files, reporter);
  } catch (const UsageError& e) {
    std::cerr << program << ": " << e.what() << '\n';
    return exit_usage;
  }
  ordelix::BatchTally tally = ordelix::batch_tally(outcomes);
  tally.failed += selection.problems.size();
  reporter.finish(tally);
  return tally.failed == 0 ? exit_ok : exit_failed;
}
