#include "command_line.h"

#include <algorithm>

#include "base/printable_name.h"
#include "platform/console.h"
#include "platform/paths.h"

namespace {

constexpr const char* program = "ordelix-convert";

// A workbook name given with -o or --combine: "-" or a file to be, named .xlsx.
void check_workbook_name(const std::string& option, const std::string& name) {
  if (name == to_stdout) {
    if (ordelix::console_is_terminal(1))
      throw UsageError(option + " -: standard output is a terminal; redirect it to a file");
    return;
  }
  if (ordelix::is_folder(name))
    throw UsageError(option + " " + ordelix::printable_name(name) +
                     ": is a folder; -d writes reports into a folder");
  std::string file_name = ordelix::path_file_name(name);
  std::size_t dot = file_name.rfind('.');
  std::string extension = dot == std::string::npos || dot == 0 ? "" : file_name.substr(dot);
  std::transform(extension.begin(), extension.end(), extension.begin(),
                 [](unsigned char c) { return std::tolower(c); });
  if (extension != ".xlsx")
    throw UsageError(option + " " + ordelix::printable_name(name) +
                     ": a report's name must end in .xlsx");
}

void check_options(const CLI::App& app, const Options& options) {
  for (const std::string& extra : app.remaining())
    throw UsageError((extra.rfind('-', 0) == 0 ? "unknown option " : "unexpected argument ") +
                     ordelix::printable_name(extra));
  if (options.arguments.empty()) throw UsageError("no FILE given");
  if (!options.output.empty()) check_workbook_name("-o", options.output);
  if (!options.combine.empty()) check_workbook_name("--combine", options.combine);
  if (!options.folder.empty() && ordelix::path_kind(options.folder) != ordelix::PathKind::none &&
      !ordelix::is_folder(options.folder))
    throw UsageError("-d " + ordelix::printable_name(options.folder) + ": is not a folder");
}

}  // namespace

Options command_line_parse(const std::vector<std::string>& arguments, CLI::App& app) {
  Options options;
  app.allow_extras();
  // CLI11 takes "/name" for an option on Windows, but there a path may start
  // with "/" too: the root of the current drive.
  app.allow_windows_style_options(false);
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
  auto* force = app.add_flag("-f,--force", options.force, "replace reports that already exist");
  app.add_flag("-n,--skip-existing", options.skip_existing,
               "keep complete reports that already exist; convert only the other files")
      ->excludes(force);
  app.add_flag("--strict", options.strict, "write no report for a file with warnings");
  app.add_option("-j,--jobs", options.jobs, "files converted at once (default: the CPU count)")
      ->check(CLI::Range(1u, 1024u));
  auto* quiet = app.add_flag("-q,--quiet", options.quiet, "print errors only");
  auto* verbose =
      app.add_flag("-v,--verbose", options.verbose, "also print each report made and file skipped");
  quiet->excludes(verbose);
  app.set_version_flag("-V,--version", std::string(program) + " " + ORDELIX_VERSION);
  app.footer(
      "Without -o, -d or --combine each report is written next to its FILE, named FILE.xlsx.\n"
      "A folder FILE gives its export files; other files in it are skipped.\n"
      "-n resumes a stopped batch: a report that exists and is not a complete workbook fails.\n"
      "Exit status: 0 when every file converted or was skipped, 1 when any failed, 2 on a usage "
      "error.");
  std::vector<const char*> argv;
  for (const std::string& argument : arguments) argv.push_back(argument.c_str());
  app.parse(static_cast<int>(argv.size()), argv.data());
  check_options(app, options);
  return options;
}
