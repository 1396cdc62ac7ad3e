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

// Puts the removal in place now rather than with the first file guarded, so
// that a console handler set later sees the events before it.
void removal_on_interrupt_prepare();

// While one lives, an interrupt waits before it removes any file: for a step
// no interrupt may cut in two. No RemovalOnInterrupt is made or dropped
// meanwhile on its thread.
class UninterruptedStep {
 public:
  UninterruptedStep();
  ~UninterruptedStep();
  UninterruptedStep(const UninterruptedStep&) = delete;
  UninterruptedStep& operator=(const UninterruptedStep&) = delete;
};

}  // namespace ordelix
