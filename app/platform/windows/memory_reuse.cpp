#include "platform/memory_reuse.h"

namespace ordelix {

// The system's heap keeps freed memory for reuse on its own.
void memory_keep_for_reuse() {}

// Large pages need a privilege a user seldom has.
void memory_prefer_large_pages(std::size_t) {}

}  // namespace ordelix
