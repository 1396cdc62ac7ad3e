#include "command_line.h"

#include <unistd.h>

#include <algorithm>
#include <filesystem>

#include "base/printable_name.h"

namespace {

namespace fs = std::filesystem;

constexpr const char* program = "ordelix-convert";

// A workbook name given with -o or --combine: "-" or a file to be, named .xlsx.
void check_workbook_name(const std::string& option, const std::string& name) {
  if (name == to_stdout) {
    if (::isatty(STDOUT_FILENO))
      throw UsageError(option + " -: standard output is a terminal; redirect it to a file");
    return;
  }
  std::error_code ec;
  if (fs::is_directory(name, ec))
    throw UsageError(option + " " + ordelix::printable_name(name) +
                     ": is a folder; -d writes reports into a folder");
  std::string extension = fs::path(name).extension().string();
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
  std::error_code ec;
  if (!options.folder.empty() && fs::exists(options.folder, ec) &&
      !fs::is_directory(options.folder, ec))
    throw UsageError("-d " + ordelix::printable_name(options.folder) + ": is not a folder");
}

}  // namespace

Options command_line_parse(int argc, char** argv, CLI::App& app) {
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
  app.add_flag("--strict", options.strict, "write no report for a file with warnings");
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
