// ordelix-convert: export files in, .xlsx reports out, for scripts and batches.

#include <CLI/CLI.hpp>
#include <cerrno>
#include <clocale>
#include <cstdio>
#include <iostream>

#include "batch_plan.h"
#include "conversion.h"
#include "printable_name.h"
#include "problem_lines.h"
#include "report_save.h"

namespace {

constexpr const char* program = "ordelix-convert";
constexpr int exit_ok = 0;
constexpr int exit_failed = 1;
constexpr int exit_usage = 2;

void complain(const std::string& file, const std::string& what) {
  std::cerr << program << ": " << ordelix::printable_name(file) << ": " << what << '\n';
}

// Converts one file; false when it gave no report.
bool convert_one(const std::string& input, const std::string& target, bool force, bool strict) {
  ordelix::Conversion conversion = ordelix::convert_export_file(input);
  if (!conversion.ok()) {
    complain(input, ordelix::problem_text(*conversion.error));
    return false;
  }
  for (const ordelix::Problem& warning : conversion.warnings)
    std::cerr << ordelix::warning_line(ordelix::printable_name(input), warning) << '\n';
  if (strict && !conversion.warnings.empty()) {
    complain(input, ordelix::strict_refusal_text(conversion.warnings.size()));
    return false;
  }

  ordelix::SaveOptions options;
  options.replace_existing = force;
  options.input_path = input;
  options.created = conversion.created;
  if (std::optional<ordelix::Problem> failed =
          ordelix::report_save(conversion.sheet, target, options)) {
    std::string why = ordelix::problem_text(*failed);
    if (failed->kind == ordelix::ProblemKind::target_exists) why += " (--force replaces it)";
    complain(input, why + ": " + ordelix::printable_name(target));
    return false;
  }
  std::cout << ordelix::printable_name(input) << " -> " << ordelix::printable_name(target) << '\n';
  return true;
}

// 0 when all written to standard output got there, else why not. Scripts
// read the converted files from it: losing that is a failure.
int stdout_error() {
  errno = 0;
  std::cout.flush();
  if (std::fflush(stdout) == 0 && std::cout && !std::ferror(stdout)) return 0;
  return errno != 0 ? errno : EIO;
}

}  // namespace

int main(int argc, char** argv) {
  std::setlocale(LC_ALL, "");

  CLI::App app{"Converts spectrophotometer export files into .xlsx reports.", program};
  std::vector<std::string> inputs;
  std::string output;
  std::string folder;
  bool force = false;
  bool strict = false;
  app.add_option("FILE", inputs, "export files (.PRO .NUC .CON .PHT .OD .TSC .TM .WSC)")
      ->required();
  auto* output_option = app.add_option("-o,--output", output, "report file, for a single FILE");
  auto* folder_option = app.add_option("-d,--dir", folder, "folder for the reports");
  output_option->excludes(folder_option);
  app.add_flag("-f,--force", force, "replace reports that already exist");
  app.add_flag("--strict", strict, "write no report for a file with warnings");
  app.set_version_flag("--version", std::string(program) + " " + ORDELIX_VERSION);
  app.footer("Without -o or -d each report is written next to its FILE, named FILE.xlsx.");

  try {
    app.parse(argc, argv);
    if (!output.empty() && inputs.size() > 1)
      throw CLI::ValidationError("-o", "takes a single FILE; use -d for several");
  } catch (const CLI::ParseError& e) {
    return app.exit(e) == 0 ? exit_ok : exit_usage;
  }

  std::vector<std::string> targets = ordelix::batch_report_paths(inputs, output, folder);
  if (auto clash = ordelix::batch_find_clash(targets)) {
    std::cerr << program << ": " << ordelix::printable_name(inputs[clash->first]) << " and "
              << ordelix::printable_name(inputs[clash->second]) << " would both write "
              << ordelix::printable_name(targets[clash->second]) << "; nothing was converted\n";
    return exit_usage;
  }

  bool all_converted = true;
  for (std::size_t i = 0; i < inputs.size(); ++i)
    all_converted = convert_one(inputs[i], targets[i], force, strict) && all_converted;

  if (int err = stdout_error(); err != 0) {
    ordelix::Problem lost{ordelix::ProblemKind::stdout_failed, 0, {}, err};
    std::cerr << program << ": " << ordelix::problem_text(lost) << '\n';
    return exit_failed;
  }
  return all_converted ? exit_ok : exit_failed;
}
