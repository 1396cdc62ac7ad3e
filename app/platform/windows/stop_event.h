#pragma once

#include <windows.h>

namespace ordelix {

// Set once a stop is requested, for a wait among other handles; null before
// console_stop_on_request.
HANDLE stop_event();

}  // namespace ordelix
