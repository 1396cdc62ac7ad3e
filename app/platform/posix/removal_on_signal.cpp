#include "removal_on_signal.h"

#include <pthread.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <cerrno>
#include <cstring>
#include <memory>
#include <mutex>

namespace ordelix {

// The handler may read a node at any moment, so none is ever freed: a guard
// that ends leaves its node to the next one whose path fits.
struct RemovalNode {
  enum : int {
    free,
    held,     // by a guard, its file not yet made or already taken
    in_step,  // a step on the file or a handler's removal of it is under way
    armed,
  };
  explicit RemovalNode(std::size_t room) : capacity(room), path(new char[room]) {}

  std::atomic<int> state{held};
  const std::size_t capacity;
  const std::unique_ptr<char[]> path;
  RemovalNode* next = nullptr;  // set before the node is in the list, never after
};

namespace {

// Room for a folder's usual path and a hidden name, so that nodes get reused.
constexpr std::size_t least_path_room = 256;
// A handler waits for a step elsewhere in rounds of this.
constexpr long step_wait_ns = 1'000'000;

static_assert(std::atomic<int>::is_always_lock_free && std::atomic<bool>::is_always_lock_free &&
                  std::atomic<RemovalNode*>::is_always_lock_free,
              "the handler reads the nodes without locks");

std::atomic<RemovalNode*> nodes{nullptr};
// Set while a handler removes the files it finds, and for good where the
// signal then ends the process: meanwhile no step starts, so that no thread
// makes a file behind the handler's back.
std::atomic<bool> removing{false};
constexpr std::array<int, 4> removal_signals{SIGINT, SIGTERM, SIGHUP, SIGQUIT};
std::array<struct sigaction, removal_signals.size()> previous_actions;

sigset_t removal_signal_set() {
  sigset_t set;
  sigemptyset(&set);
  for (int s : removal_signals) sigaddset(&set, s);
  return set;
}

void pause_a_moment() {
  struct timespec pause {
    0, step_wait_ns
  };
  ::nanosleep(&pause, nullptr);
}

// A step holds the signals in its own thread, so a handler that finds a node
// in a step runs in another one and the step ends while it waits.
int state_after_steps(RemovalNode& node) {
  int state;
  while ((state = node.state.load()) == RemovalNode::in_step) pause_a_moment();
  return state;
}

void state_claim(RemovalNode& node, int to) {
  for (int state = state_after_steps(node); !node.state.compare_exchange_strong(state, to);)
    state = state_after_steps(node);
}

bool ends_process(const struct sigaction& action) {
  return (action.sa_flags & SA_SIGINFO) == 0 && action.sa_handler == SIG_DFL;
}

void remove_and_resend(int signal) {
  int saved_errno = errno;
  removing.store(true);
  for (RemovalNode* node = nodes.load(); node != nullptr; node = node->next) {
    int state = state_after_steps(*node);
    if (state != RemovalNode::armed ||
        !node->state.compare_exchange_strong(state, RemovalNode::in_step))
      continue;
    ::unlink(node->path.get());
    node->state.store(RemovalNode::held);
  }
  for (std::size_t i = 0; i < removal_signals.size(); ++i) {
    if (removal_signals[i] != signal) continue;
    ::sigaction(signal, &previous_actions[i], nullptr);
    if (!ends_process(previous_actions[i])) removing.store(false);
  }
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
    removal.sa_mask = removal_signal_set();
    ::sigaction(removal_signals[i], &removal, nullptr);
  }
}

RemovalNode* node_holding(const std::string& path) {
  for (RemovalNode* node = nodes.load(); node != nullptr; node = node->next) {
    int expected = RemovalNode::free;
    if (node->capacity > path.size() &&
        node->state.compare_exchange_strong(expected, RemovalNode::held)) {
      std::memcpy(node->path.get(), path.c_str(), path.size() + 1);
      return node;
    }
  }
  auto* node = new RemovalNode(std::max(path.size() + 1, least_path_room));
  std::memcpy(node->path.get(), path.c_str(), path.size() + 1);
  node->next = nodes.load();
  while (!nodes.compare_exchange_weak(node->next, node)) {
  }
  return node;
}

}  // namespace

RemovalOnSignal::RemovalOnSignal(const std::string& path) {
  static std::once_flag installed;
  std::call_once(installed, install_handlers);
  node_ = node_holding(path);
}

RemovalOnSignal::~RemovalOnSignal() {
  // A handler in another thread may be removing the file right now.
  state_claim(*node_, RemovalNode::free);
}

void RemovalOnSignal::step_begin() {
  sigset_t removal = removal_signal_set();
  ::pthread_sigmask(SIG_BLOCK, &removal, &mask_before_step_);
  for (;;) {
    state_claim(*node_, RemovalNode::in_step);
    // Checked after the claim: a handler that sets it later finds the step.
    if (!removing.load()) return;
    node_->state.store(armed_ ? RemovalNode::armed : RemovalNode::held);
    while (removing.load()) pause_a_moment();
  }
}

void RemovalOnSignal::step_end(bool guarded) {
  armed_ = guarded;
  node_->state.store(guarded ? RemovalNode::armed : RemovalNode::held);
  ::pthread_sigmask(SIG_SETMASK, &mask_before_step_, nullptr);
}

}  // namespace ordelix
