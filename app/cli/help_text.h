#pragma once

#include <CLI/CLI.hpp>
#include <string>

// The help a person reads, from the options as the command line defines
// them: each option's group (in the order the groups first appear), names,
// argument (its option text) and description, a line each, between the
// app's description and its footer.
class HelpText : public CLI::FormatterBase {
 public:
  std::string make_help(const CLI::App* app, std::string name,
                        CLI::AppFormatMode mode) const override;
};
