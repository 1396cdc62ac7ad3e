#include <windows.h>

#include <mutex>

#include "platform/console.h"
#include "removal_on_interrupt.h"
#include "stop_event.h"

namespace ordelix {
namespace {

std::atomic<bool> stop_requested{false};
HANDLE stop_requested_event = nullptr;

BOOL WINAPI stop_on_event(DWORD type) {
  stop_requested.store(true);
  SetEvent(stop_requested_event);
  // For these the system ends the process once the handler returns; it ends
  // on its own instead, as soon as the save under way is done.
  if (type == CTRL_CLOSE_EVENT || type == CTRL_LOGOFF_EVENT || type == CTRL_SHUTDOWN_EVENT)
    WaitForSingleObject(GetCurrentThread(), INFINITE);
  return TRUE;
}

}  // namespace

void console_stop_on_request() {
  static std::once_flag started;
  std::call_once(started, [] {
    stop_requested_event = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    // The handler set last is asked first: this one takes the events, so a
    // staged file is finished and placed rather than removed under its writer.
    removal_on_interrupt_prepare();
    SetConsoleCtrlHandler(stop_on_event, TRUE);
  });
}

const std::atomic<bool>& console_stop_flag() {
  return stop_requested;
}

HANDLE stop_event() {
  return stop_requested_event;
}

}  // namespace ordelix
