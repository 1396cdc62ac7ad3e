#pragma once

#include <cstddef>
#include <vector>

namespace ordelix {

// Lines of an export file, each counted once however often it is added, as
// several passes over one stretch of the file may add it.
class LineTally {
 public:
  void add(long long line) {
    auto at = static_cast<std::size_t>(line);
    if (at >= lines_.size()) lines_.resize(at + 1);
    if (lines_[at]) return;
    lines_[at] = true;
    ++count_;
    if (first_ == 0 || line < first_) first_ = line;
  }
  long long first() const { return first_; }  // 0 while empty
  long long count() const { return count_; }

 private:
  std::vector<bool> lines_;
  long long first_ = 0;
  long long count_ = 0;
};

}  // namespace ordelix
