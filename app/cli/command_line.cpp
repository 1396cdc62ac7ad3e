#include "command_line.h"

#include <optional>

#include "base/printable_name.h"
#include "help_text.h"
#include "platform/arguments.h"
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

// A name that ends in \ before its closing quote, on Windows, keeps the
// quote and what follows up to the next one: the rest of the command line
// would be read wrongly, so nothing is.
void check_quotes(const Options& options) {
  std::vector<std::string> names = options.arguments;
  names.insert(names.end(), {options.output, options.folder, options.combine});
  for (const std::string& name : names)
    if (ordelix::argument_has_stray_quote(name))
      throw UsageError(ordelix::printable_name(name) +
                       ": a quote in the name: a \\ just before a closing quote keeps the quote, "
                       "and what follows with it; write the name without that \\, as \"" +
                       ordelix::printable_name(name.substr(0, name.find('"'))) + "\"");
}

// A watch writes each report as it comes: beside its file, or under -d. Its
// folders are checked as it starts, as they may come and go while it runs.
void check_watch(const CLI::App& app, const Options& options) {
  if (!options.watch) {
    for (const char* option : {"--settle", "--poll"})
      if (app.count(option) > 0) throw UsageError(std::string(option) + " is for --watch");
    return;
  }
  if (!options.output.empty() || !options.combine.empty())
    throw UsageError(std::string("--watch writes each report as its file comes, not with ") +
                     (options.output.empty() ? "--combine" : "-o"));
}

void check_options(const CLI::App& app, const FormatArguments& given, Options& options) {
  check_quotes(options);
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

// The help's text around the options, which list themselves by group.
constexpr const char* help_head =
    "Usage: ordelix-convert [OPTIONS] FILE...\n"
    "\n"
    "Converts spectrophotometer export files into .xlsx reports, or their data\n"
    "into JSON or CSV. A FILE is an export file (.PRO .NUC .CON .PHT .OD .TSC .TM\n"
    ".WSC) or a folder of them; other files in a folder are skipped. Each report\n"
    "goes next to its FILE, named after it (run1.PRO gives run1.xlsx), unless -o,\n"
    "-d or --combine say where. An export file is only ever read.";
constexpr const char* help_foot =
    "Examples:\n"
    "  ordelix-convert run1.PRO                 run1.xlsx beside run1.PRO\n"
    "  ordelix-convert -r -d reports runs       runs and its subfolders into reports\n"
    "  ordelix-convert --combine day.xlsx runs  one workbook for the folder runs\n"
    "  ordelix-convert --watch -d reports runs  each new file in runs, until Ctrl-C\n"
    "\n"
    "Exit status: 0 when every file converted or was skipped, 1 when any failed,\n"
    "2 when the command line was wrong.\n";

}  // namespace

Options command_line_parse(const std::vector<std::string>& arguments, CLI::App& app) {
  Options options;
  FormatArguments given;
  app.description(help_head);
  app.footer(help_foot);
  app.formatter(std::make_shared<HelpText>());
  app.allow_extras();
  // CLI11 takes "/name" for an option on Windows, but there a path may start
  // with "/" too: the root of the current drive.
  app.allow_windows_style_options(false);
  // The help lists the options in these groups, each option in its group's
  // place: a new group is a new name given to its options.
  const std::string where = "Where the reports go";
  const std::string what = "What is written";
  const std::string which = "Which files";
  const std::string running = "How it runs";
  const std::string watching = "Watching folders";
  app.add_option("FILE", options.arguments, "export files or folders of them");
  auto* output = app.add_option("-o,--output", options.output,
                                "the report of a single FILE; - writes it to standard output")
                     ->option_text("REPORT")
                     ->group(where);
  auto* folder = app.add_option("-d,--dir", options.folder,
                                "the folder for the reports, made if missing; files found in a "
                                "folder FILE keep their place below it")
                     ->option_text("FOLDER")
                     ->group(where);
  auto* combine = app.add_option("--combine", options.combine,
                                 "one workbook with a sheet per file (with --format json, one "
                                 "array of their data); - writes it to standard output")
                      ->option_text("REPORT")
                      ->group(where);
  app.add_option("--format", given.format,
                 "xlsx (the default), json or csv; else as the name -o or --combine gives")
      ->check(CLI::IsMember({"xlsx", "json", "csv"}, CLI::ignore_case))
      ->option_text("FORMAT")
      ->group(what);
  app.add_option("--csv-separator", given.csv_separator,
                 ", (the default) or ; with which numbers take a decimal comma")
      ->check(CLI::IsMember({",", ";"}))
      ->option_text("CHAR")
      ->group(what);
  app.add_flag("--strict", options.strict, "no report for a file with warnings: it fails")
      ->group(what);
  output->excludes(folder)->excludes(combine);
  folder->excludes(combine);
  app.add_flag("-r,--recursive", options.recursive, "also the subfolders of a folder FILE")
      ->group(which);
  auto* force =
      app.add_flag("-f,--force", options.force, "replace reports that exist already")->group(which);
  app.add_flag("-n,--skip-existing", options.skip_existing,
               "keep each report that exists and is its file's report; convert the rest "
               "(resumes a stopped batch)")
      ->excludes(force)
      ->group(which);
  app.add_option("-j,--jobs", options.jobs, "convert N files at once (default: the CPU count)")
      ->check(CLI::Range(1u, 1024u))
      ->option_text("N")
      ->group(running);
  auto* quiet = app.add_flag("-q,--quiet", options.quiet, "print errors only")->group(running);
  auto* verbose = app.add_flag("-v,--verbose", options.verbose,
                               "also print each report made and each file skipped")
                      ->group(running);
  quiet->excludes(verbose);
  app.add_flag("--watch", options.watch,
               "keep watching the FILE folders, converting each export file that comes or "
               "changes once it stands still, until Ctrl-C")
      ->group(watching);
  app.add_option("--settle", options.settle_seconds,
                 "with --watch: seconds a file stands unchanged before it is read (default 2)")
      ->check(CLI::Range(0.0, 3600.0))
      ->option_text("SECONDS")
      ->group(watching);
  app.add_option("--poll", options.poll_seconds,
                 "with --watch: seconds between looks through the whole folders, for what the "
                 "system does not tell, as on network shares (default 30)")
      ->check(CLI::Range(0.1, 86400.0))
      ->option_text("SECONDS")
      ->group(watching);
  // Made again after the others, to stand last in the help.
  app.set_help_flag("-h,--help", "print this help and exit")->group(running);
  app.set_version_flag("-V,--version", std::string(program) + " " + ORDELIX_VERSION,
                       "print the version and exit")
      ->group(running);
  // "/?" asks a Windows program for its help; no file is named so.
  std::vector<const char*> argv;
  for (const std::string& argument : arguments)
    argv.push_back(argument == "/?" ? "--help" : argument.c_str());
  app.parse(static_cast<int>(argv.size()), argv.data());
  check_options(app, given, options);
  return options;
}
