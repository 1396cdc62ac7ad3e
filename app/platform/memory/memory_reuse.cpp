#include "platform/memory_reuse.h"

namespace ordelix {

// WebAssembly memory never shrinks: what a conversion frees stays for the next.
void memory_keep_for_reuse() {}

}  // namespace ordelix
