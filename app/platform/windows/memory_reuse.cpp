#include "platform/memory_reuse.h"

namespace ordelix {

// The system's heap keeps freed memory for reuse on its own.
void memory_keep_for_reuse() {}

}  // namespace ordelix
