#include "removal_on_signal.h"

#include <limits.h>
#include <signal.h>
#include <unistd.h>

#include <array>
#include <atomic>
#include <cerrno>
#include <cstring>
#include <mutex>

namespace ordelix {
namespace {

// Fixed storage: the handler may read a slot at any moment, so nothing in it
// is ever freed.
struct Slot {
  enum : int { free, filling, armed };
  std::atomic<int> state{free};
  char path[PATH_MAX]{};
};

// Zero at load, not set up at start: a slot's page is touched only once used.
constinit std::array<Slot, 64> slots{};
constexpr std::array<int, 2> removal_signals{SIGINT, SIGTERM};
std::array<struct sigaction, removal_signals.size()> previous_actions;

void remove_and_resend(int signal) {
  int saved_errno = errno;
  for (Slot& slot : slots)
    if (slot.state.load() == Slot::armed) ::unlink(slot.path);
  for (std::size_t i = 0; i < removal_signals.size(); ++i)
    if (removal_signals[i] == signal) ::sigaction(signal, &previous_actions[i], nullptr);
  errno = saved_errno;
  // Delivered once this handler returns, as the action that was there before.
  ::raise(signal);
}

void install_handlers() {
  for (std::size_t i = 0; i < removal_signals.size(); ++i) {
    struct sigaction current {};
    ::sigaction(removal_signals[i], nullptr, &current);
    if (current.sa_handler == SIG_IGN) continue;
    previous_actions[i] = current;
    struct sigaction removal {};
    removal.sa_handler = remove_and_resend;
    sigemptyset(&removal.sa_mask);
    for (int s : removal_signals) sigaddset(&removal.sa_mask, s);
    ::sigaction(removal_signals[i], &removal, nullptr);
  }
}

}  // namespace

RemovalOnSignal::RemovalOnSignal(const std::string& path) {
  static std::once_flag installed;
  std::call_once(installed, install_handlers);
  if (path.size() >= PATH_MAX) return;
  for (std::size_t i = 0; i < slots.size(); ++i) {
    int expected = Slot::free;
    if (!slots[i].state.compare_exchange_strong(expected, Slot::filling)) continue;
    std::memcpy(slots[i].path, path.c_str(), path.size() + 1);
    slots[i].state.store(Slot::armed);
    slot_ = static_cast<int>(i);
    return;
  }
}

RemovalOnSignal::~RemovalOnSignal() {
  if (slot_ >= 0) slots[static_cast<std::size_t>(slot_)].state.store(Slot::free);
}

}  // namespace ordelix
