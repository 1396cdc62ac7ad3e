#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace ordelix {

// Tells, from its bytes given in pieces, whether an XML document is whole:
// one root element, every element closed in the order opened, no markup cut
// off, attributes as XML writes them, nothing but blanks around the root, no
// character XML forbids. A part whose writing stopped early fails, and so, as
// a rule, does one that lost a stretch in the middle.
class XmlCheck {
 public:
  void feed(std::string_view piece);
  // After the last piece.
  bool complete() const { return !failed_ && root_done_ && unfinished_.empty(); }

 private:
  // Each returns where what it checked ends, or npos when `data` ends first.
  std::size_t scan(std::string_view data);
  std::size_t markup(std::string_view data, std::size_t at);
  std::size_t start_tag(std::string_view data, std::size_t name_at);
  std::size_t attribute(std::string_view data, std::size_t name_at);
  std::size_t end_tag(std::string_view data, std::size_t name_at);
  std::size_t through(std::string_view data, std::size_t from, std::string_view end);
  std::size_t fail();

  bool failed_ = false;
  bool root_done_ = false;
  std::vector<std::string> open_;
  std::string unfinished_;  // markup that the next piece continues
};

}  // namespace ordelix
