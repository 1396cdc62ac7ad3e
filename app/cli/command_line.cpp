#include "command_line.h"

#include <optional>

#include "base/printable_name.h"
#include "platform/console.h"
#include "platform/paths.h"
#include "program_name.h"

namespace {

using ordelix::ReportFormat;

// As given on the command line, before they are checked.
struct FormatArguments {
  std::string format;
  std::string csv_separator;
};

std::string format_name(ReportFormat format) {
  return std::string(ordelix::report_format_name(format));
}

// The format a report name given with -o or --combine calls for: none for
// "-", standard output; otherwise a file to be, named .xlsx, .json or .csv.
std::optional<ReportFormat> report_name_format(const std::string& option, const std::string& name) {
  if (name == to_stdout) return std::nullopt;
  if (ordelix::is_folder(name))
    throw UsageError(option + " " + ordelix::printable_name(name) +
                     ": is a folder; -d writes reports into a folder");
  std::optional<ReportFormat> format =
      ordelix::report_format_of_file(ordelix::path_file_name(name));
  if (!format)
    throw UsageError(option + " " + ordelix::printable_name(name) +
                     ": a report's name must end in .xlsx, .json or .csv");
  return format;
}

// The format: as --format names it, else as the report's name calls for; a
// name of another format contradicts --format.
ReportFormat format_chosen(const std::string& option, const std::string& name,
                           std::optional<ReportFormat> asked) {
  std::optional<ReportFormat> named =
      name.empty() ? std::nullopt : report_name_format(option, name);
  if (asked && named && *asked != *named)
    throw UsageError(option + " " + ordelix::printable_name(name) + ": a ." + format_name(*named) +
                     " name, but --format " + format_name(*asked) + "; give the name a ." +
                     format_name(*asked) + " extension or leave --format out");
  return asked.value_or(named.value_or(ReportFormat::xlsx));
}

void check_format(const FormatArguments& given, Options& options) {
  std::optional<ReportFormat> asked;
  if (!given.format.empty()) asked = ordelix::report_format_named(given.format);
  options.format = options.combine.empty() ? format_chosen("-o", options.output, asked)
                                           : format_chosen("--combine", options.combine, asked);
  if (options.format == ReportFormat::csv && !options.combine.empty())
    throw UsageError(
        "--combine writes one workbook or one JSON array; a CSV file holds one "
        "report's table, so -d writes one file each");
  if (!given.csv_separator.empty()) {
    if (options.format != ReportFormat::csv)
      throw UsageError("--csv-separator is for CSV reports (--format csv)");
    options.csv_separator = given.csv_separator.front();
  }
}

// A workbook is no text for a terminal; the data is.
void check_stdout(const Options& options) {
  bool to_stdout_asked = options.output == to_stdout || options.combine == to_stdout;
  if (to_stdout_asked && options.format == ReportFormat::xlsx && ordelix::console_is_terminal(1))
    throw UsageError((options.combine.empty() ? "-o" : "--combine") +
                     std::string(" -: standard output is a terminal; redirect it to a file"));
}

// A watch writes each report as it comes: beside its file, or under -d.
void check_watch(const CLI::App& app, const Options& options) {
  if (!options.watch) {
    for (const char* option : {"--settle", "--poll"})
      if (app.count(option) > 0) throw UsageError(std::string(option) + " is for --watch");
    return;
  }
  if (!options.output.empty() || !options.combine.empty())
    throw UsageError(std::string("--watch writes each report as its file comes, not with ") +
                     (options.output.empty() ? "--combine" : "-o"));
  for (const std::string& argument : options.arguments)
    if (!ordelix::is_folder(argument))
      throw UsageError(ordelix::printable_name(argument) + ": --watch takes folders");
}

void check_options(const CLI::App& app, const FormatArguments& given, Options& options) {
  for (const std::string& extra : app.remaining())
    throw UsageError((extra.rfind('-', 0) == 0 ? "unknown option " : "unexpected argument ") +
                     ordelix::printable_name(extra));
  if (options.arguments.empty()) throw UsageError("no FILE given");
  check_format(given, options);
  check_stdout(options);
  check_watch(app, options);
  if (!options.folder.empty() && ordelix::path_kind(options.folder) != ordelix::PathKind::none &&
      !ordelix::is_folder(options.folder))
    throw UsageError("-d " + ordelix::printable_name(options.folder) + ": is not a folder");
}

}  // namespace

Options command_line_parse(const std::vector<std::string>& arguments, CLI::App& app) {
  Options options;
  FormatArguments given;
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
  auto* combine = app.add_option(
      "--combine", options.combine,
      "one workbook with a sheet per export file, or with json one array of their data; - for "
      "standard output");
  app.add_option("--format", given.format,
                 "xlsx (default), json or csv: the report, or its data; also from the name -o "
                 "or --combine gives")
      ->check(CLI::IsMember({"xlsx", "json", "csv"}, CLI::ignore_case));
  app.add_option("--csv-separator", given.csv_separator,
                 "the CSV field separator: , (default) or ; (numbers then take a decimal comma)")
      ->check(CLI::IsMember({",", ";"}));
  output->excludes(folder)->excludes(combine);
  folder->excludes(combine);
  app.add_flag("-r,--recursive", options.recursive, "also convert the subfolders of FILE folders");
  auto* force = app.add_flag("-f,--force", options.force, "replace reports that already exist");
  app.add_flag("-n,--skip-existing", options.skip_existing,
               "keep reports that exist and match their files; convert only the others")
      ->excludes(force);
  app.add_flag("--strict", options.strict, "write no report for a file with warnings");
  app.add_option("-j,--jobs", options.jobs, "files converted at once (default: the CPU count)")
      ->check(CLI::Range(1u, 1024u));
  auto* quiet = app.add_flag("-q,--quiet", options.quiet, "print errors only");
  auto* verbose =
      app.add_flag("-v,--verbose", options.verbose, "also print each report made and file skipped");
  quiet->excludes(verbose);
  app.add_flag("--watch", options.watch,
               "keep watching the FILE folders, converting each export file that comes or "
               "changes once it stands still, until Ctrl-C");
  app.add_option("--settle", options.settle_seconds,
                 "with --watch: seconds a file stands unchanged before it is read (default 2)")
      ->check(CLI::Range(0.0, 3600.0));
  app.add_option("--poll", options.poll_seconds,
                 "with --watch: seconds between looks through the whole folders, for what the "
                 "system does not tell, as on network shares (default 30)")
      ->check(CLI::Range(0.1, 86400.0));
  app.set_version_flag("-V,--version", std::string(program) + " " + ORDELIX_VERSION);
  app.footer(
      "Without -o, -d or --combine each report is written next to its FILE, named FILE.xlsx\n"
      "(.json, .csv with --format).\n"
      "A folder FILE gives its export files; other files in it are skipped.\n"
      "-n resumes a stopped batch: a report that exists and is not complete fails.\n"
      "--watch converts a file when it has no report or its report is older than it.\n"
      "Exit status: 0 when every file converted or was skipped, 1 when any failed, 2 on a usage "
      "error.");
  std::vector<const char*> argv;
  for (const std::string& argument : arguments) argv.push_back(argument.c_str());
  app.parse(static_cast<int>(argv.size()), argv.data());
  check_options(app, given, options);
  return options;
}
