#include "removal_on_interrupt.h"

#include <windows.h>

#include <mutex>
#include <set>

namespace ordelix {
namespace {

// The handler runs on a thread of its own, so a lock serves where a POSIX
// signal handler could take none.
std::mutex guarded_mutex;
std::multiset<std::wstring>* guarded = nullptr;

BOOL WINAPI remove_guarded(DWORD) {
  // Never let go: no file is guarded anew while the system's own handler,
  // next in line, ends the process.
  guarded_mutex.lock();
  for (const std::wstring& path : *guarded) DeleteFileW(path.c_str());
  return FALSE;
}

// Under guarded_mutex.
void removal_install() {
  if (guarded != nullptr) return;
  guarded = new std::multiset<std::wstring>;
  SetConsoleCtrlHandler(remove_guarded, TRUE);
}

}  // namespace

void removal_on_interrupt_prepare() {
  std::lock_guard lock(guarded_mutex);
  removal_install();
}

RemovalOnInterrupt::RemovalOnInterrupt(const std::wstring& path) : path_(path) {
  std::lock_guard lock(guarded_mutex);
  removal_install();
  guarded->insert(path_);
}

RemovalOnInterrupt::~RemovalOnInterrupt() {
  std::lock_guard lock(guarded_mutex);
  guarded->erase(guarded->find(path_));
}

UninterruptedStep::UninterruptedStep() {
  guarded_mutex.lock();
}

UninterruptedStep::~UninterruptedStep() {
  guarded_mutex.unlock();
}

}  // namespace ordelix
