#pragma once

namespace ordelix {

// Readable once a stop is requested, for a poll() that waits for it among
// other things; -1 before console_stop_on_request.
int stop_wake_descriptor();

}  // namespace ordelix
