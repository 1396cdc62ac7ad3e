#include <fcntl.h>
#include <pthread.h>
#include <signal.h>
#include <unistd.h>

#include <mutex>
#include <thread>

#include "platform/console.h"
#include "stop_wake.h"

namespace ordelix {
namespace {

std::atomic<bool> stop_requested{false};
int stop_pipe[2] = {-1, -1};

sigset_t stop_signals() {
  sigset_t set;
  sigemptyset(&set);
  for (int s : {SIGINT, SIGTERM, SIGHUP}) sigaddset(&set, s);
  return set;
}

}  // namespace

void console_stop_on_request() {
  static std::once_flag started;
  std::call_once(started, [] {
    // Blocked in every thread to come, so that only the waiting thread takes
    // them: a save under way finishes rather than being cut short by a handler.
    sigset_t set = stop_signals();
    ::pthread_sigmask(SIG_BLOCK, &set, nullptr);
    if (::pipe2(stop_pipe, O_CLOEXEC | O_NONBLOCK) != 0) stop_pipe[0] = stop_pipe[1] = -1;
    std::thread([set] {
      int signal = 0;
      ::sigwait(&set, &signal);
      stop_requested.store(true);
      // Should the byte not go, a wait still looks at the flag when it ends.
      if (stop_pipe[1] >= 0 && ::write(stop_pipe[1], "", 1) < 0) return;
    }).detach();
  });
}

const std::atomic<bool>& console_stop_flag() {
  return stop_requested;
}

int stop_wake_descriptor() {
  return stop_pipe[0];
}

}  // namespace ordelix
