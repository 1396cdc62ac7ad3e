#pragma once

#include <CLI/CLI.hpp>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/ordelix.h"

// What ordelix-convert was asked to do.
struct Options {
  std::vector<std::string> arguments;
  std::string output;  // "-": standard output
  std::string folder;
  std::string combine;  // "-": standard output
  bool recursive = false;
  bool force = false;
  bool skip_existing = false;
  bool strict = false;
  bool quiet = false;
  bool verbose = false;
  bool watch = false;
  double settle_seconds = 2;
  double poll_seconds = 30;
  unsigned jobs = ordelix::default_workers();
  // From --format, else from the name given to -o or --combine.
  ordelix::ReportFormat format = ordelix::ReportFormat::xlsx;
  char csv_separator = ',';
};

inline constexpr const char* to_stdout = "-";

// A command line that asks for something impossible; nothing is converted.
class UsageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Reads the options into `app` (whose help and version go through
// CLI::ParseError) and checks them: unknown options, no FILE, report names
// that do not end in .xlsx, .json or .csv, that another format was asked for,
// that name a folder, or that send a workbook to a terminal; --watch with -o
// or --combine.
// `arguments` are UTF-8, the program's name first.
Options command_line_parse(const std::vector<std::string>& arguments, CLI::App& app);
