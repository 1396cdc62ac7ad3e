#pragma once

#include <string_view>

namespace ordelix {

// One reading pass over an export file's bytes, from line 1 to the end.
// Lines end with CR LF, a lone CR or a lone LF; the line end is not part of
// the line, a last line without one still counts, and a final line end does
// not start another line.
//
// `last_read` is the reader's line buffer, shared by all passes of one
// conversion: a read past the end leaves it as it was, so the line last read
// stands in for the missing one.
class LinePass {
 public:
  LinePass(std::string_view bytes, std::string_view& last_read)
      : bytes_(bytes), last_read_(last_read) {}

  bool at_end() const { return pos_ >= bytes_.size(); }
  // Number of lines read so far in this pass.
  int lines_read() const { return lines_read_; }

  std::string_view read() {
    if (at_end()) return last_read_;
    std::size_t end = bytes_.find_first_of("\r\n", pos_);
    if (end == std::string_view::npos) end = bytes_.size();
    last_read_ = bytes_.substr(pos_, end - pos_);
    pos_ = end;
    if (pos_ < bytes_.size()) {
      bool cr = bytes_[pos_] == '\r';
      ++pos_;
      if (cr && pos_ < bytes_.size() && bytes_[pos_] == '\n') ++pos_;
    }
    ++lines_read_;
    return last_read_;
  }

 private:
  std::string_view bytes_;
  std::string_view& last_read_;
  std::size_t pos_ = 0;
  int lines_read_ = 0;
};

}  // namespace ordelix
