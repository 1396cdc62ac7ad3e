#include "help_text.h"

#include <algorithm>
#include <sstream>
#include <vector>

namespace {

constexpr std::size_t line_width = 79;
constexpr std::size_t max_name_width = 26;

std::string option_names(const CLI::Option* option) {
  std::string names;
  for (const std::string& name : option->get_snames())
    names += (names.empty() ? "-" : ", -") + name;
  for (const std::string& name : option->get_lnames())
    names += (names.empty() ? "--" : ", --") + name;
  if (!option->get_option_text().empty()) names += " " + option->get_option_text();
  return names;
}

// `text` in lines that fit the width, each after `indent` columns, the
// first after what the line holds already.
void wrapped(std::ostream& out, const std::string& text, std::size_t start, std::size_t indent) {
  std::istringstream words(text);
  std::size_t column = start;
  bool first = true;
  for (std::string word; words >> word; first = false) {
    if (!first && column + 1 + word.size() > line_width) {
      out << '\n' << std::string(indent, ' ');
      column = indent;
    } else if (!first) {
      out << ' ';
      ++column;
    }
    out << word;
    column += word.size();
  }
  out << '\n';
}

}  // namespace

std::string HelpText::make_help(const CLI::App* app, std::string, CLI::AppFormatMode) const {
  std::vector<const CLI::Option*> options =
      app->get_options([](const CLI::Option* option) { return !option->get_positional(); });
  std::vector<std::string> groups;
  std::size_t width = 0;
  for (const CLI::Option* option : options) {
    if (std::find(groups.begin(), groups.end(), option->get_group()) == groups.end())
      groups.push_back(option->get_group());
    width = std::max(width, option_names(option).size());
  }
  width = std::min(width, max_name_width) + 4;

  std::ostringstream out;
  out << app->get_description() << '\n';
  for (const std::string& group : groups) {
    out << '\n' << group << ":\n";
    for (const CLI::Option* option : options) {
      if (option->get_group() != group) continue;
      std::string names = "  " + option_names(option);
      out << names;
      // A long name has its words on the next line.
      if (names.size() + 2 > width)
        out << '\n' << std::string(width, ' ');
      else
        out << std::string(width - names.size(), ' ');
      wrapped(out, option->get_description(), width, width);
    }
  }
  out << '\n' << app->get_footer();
  return out.str();
}
