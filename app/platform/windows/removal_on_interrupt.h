#pragma once

#include <string>

namespace ordelix {

// While one of these lives, Ctrl-C, Ctrl-Break, closing the console window,
// logging off or shutting down removes its file before the process ends.
// For unfinished files under names of their own; any thread may hold some.
class RemovalOnInterrupt {
 public:
  explicit RemovalOnInterrupt(const std::wstring& path);
  ~RemovalOnInterrupt();
  RemovalOnInterrupt(const RemovalOnInterrupt&) = delete;
  RemovalOnInterrupt& operator=(const RemovalOnInterrupt&) = delete;

 private:
  std::wstring path_;
};

}  // namespace ordelix
