#include "xml_check.h"

#include <array>
#include <cstdint>

namespace ordelix {
namespace {

constexpr std::size_t npos = std::string_view::npos;

enum : std::uint8_t { forbidden = 1, blank = 2, name = 4, text_end = 8 };

// Below 0x20 XML 1.0 allows only tab, line feed and carriage return; names
// end at blanks and at the characters of markup.
constexpr std::array<std::uint8_t, 256> classes = [] {
  std::array<std::uint8_t, 256> table{};
  for (int c = 0; c < 256; ++c) {
    bool is_blank = c == ' ' || c == '\t' || c == '\n' || c == '\r';
    bool is_forbidden = c < 0x20 && !is_blank;
    bool is_markup = c == '<' || c == '>' || c == '/' || c == '=' || c == '"' || c == '\'';
    table[c] = static_cast<std::uint8_t>(
        (is_forbidden ? forbidden | text_end : 0) | (is_blank ? blank : 0) |
        (!is_blank && !is_forbidden && !is_markup ? name : 0) | (c == '<' ? text_end : 0));
  }
  return table;
}();

bool is(char c, std::uint8_t kind) {
  return (classes[static_cast<unsigned char>(c)] & kind) != 0;
}

std::size_t skip(std::string_view data, std::size_t i, std::uint8_t kind) {
  while (i < data.size() && is(data[i], kind)) ++i;
  return i;
}

}  // namespace

void XmlCheck::feed(std::string_view piece) {
  if (failed_) return;
  if (unfinished_.empty()) {
    std::size_t at = scan(piece);
    if (at != npos) unfinished_.assign(piece.substr(at));
    return;
  }
  std::string data = std::move(unfinished_);
  data.append(piece);
  std::size_t at = scan(data);
  unfinished_ = at != npos ? data.substr(at) : std::string();
}

std::size_t XmlCheck::fail() {
  failed_ = true;
  return npos;
}

// Checks `data` from its start in text; returns where markup that `data`
// does not finish begins, npos when nothing is left over.
std::size_t XmlCheck::scan(std::string_view data) {
  std::size_t i = 0;
  for (;;) {
    std::size_t text_from = i;
    while (i < data.size() && !is(data[i], text_end)) ++i;
    if (open_.empty() && skip(data, text_from, blank) < i) return fail();  // text outside the root
    if (i == data.size()) return npos;
    if (data[i] != '<') return fail();
    std::size_t end = markup(data, i);
    if (failed_) return npos;
    if (end == npos) return i;
    i = end;
  }
}

std::size_t XmlCheck::markup(std::string_view data, std::size_t at) {
  if (at + 1 >= data.size()) return npos;
  char kind = data[at + 1];
  if (kind == '?') return through(data, at + 2, "?>");
  if (kind == '/') return end_tag(data, at + 2);
  if (kind != '!') return start_tag(data, at + 1);
  std::string_view rest = data.substr(at + 2);
  for (std::string_view open : {std::string_view("--"), std::string_view("[CDATA[")}) {
    if (rest.substr(0, open.size()) == open)
      return through(data, at + 2 + open.size(), open == "--" ? "-->" : "]]>");
    if (rest.size() < open.size() && open.substr(0, rest.size()) == rest) return npos;
  }
  return through(data, at + 2, ">");
}

std::size_t XmlCheck::through(std::string_view data, std::size_t from, std::string_view end) {
  std::size_t found = data.find(end, from);
  for (std::size_t i = from; i < std::min(found, data.size()); ++i)
    if (is(data[i], forbidden)) return fail();
  return found == npos ? npos : found + end.size();
}

std::size_t XmlCheck::start_tag(std::string_view data, std::size_t name_at) {
  std::size_t i = skip(data, name_at, name);
  if (i == data.size()) return npos;
  if (i == name_at || (open_.empty() && root_done_)) return fail();  // no name, or a second root
  std::string_view element = data.substr(name_at, i - name_at);
  for (;;) {
    std::size_t next = skip(data, i, blank);
    if (next == data.size()) return npos;
    if (data[next] == '>') {
      open_.emplace_back(element);
      return next + 1;
    }
    if (data[next] == '/') {
      if (next + 1 == data.size()) return npos;
      if (data[next + 1] != '>') return fail();
      root_done_ = open_.empty();
      return next + 2;
    }
    // Attributes stand apart, each with a name.
    if (next == i || !is(data[next], name)) return fail();
    i = attribute(data, next);
    if (i == npos) return npos;
  }
}

// name = "value", or with single quotes.
std::size_t XmlCheck::attribute(std::string_view data, std::size_t name_at) {
  std::size_t i = skip(data, skip(data, name_at, name), blank);
  if (i == data.size()) return npos;
  if (data[i] != '=') return fail();
  i = skip(data, i + 1, blank);
  if (i == data.size()) return npos;
  char quote = data[i];
  if (quote != '"' && quote != '\'') return fail();
  std::size_t close = data.find(quote, i + 1);
  for (std::size_t k = i + 1; k < std::min(close, data.size()); ++k)
    if (data[k] == '<' || is(data[k], forbidden)) return fail();
  return close == npos ? npos : close + 1;
}

std::size_t XmlCheck::end_tag(std::string_view data, std::size_t name_at) {
  std::size_t i = skip(data, name_at, name);
  std::size_t end = skip(data, i, blank);
  if (end == data.size()) return npos;
  if (data[end] != '>' || open_.empty() || open_.back() != data.substr(name_at, i - name_at))
    return fail();
  open_.pop_back();
  root_done_ = open_.empty();
  return end + 1;
}

}  // namespace ordelix
