#include "platform/memory_reuse.h"

namespace ordelix {

// WebAssembly memory never shrinks: what a conversion frees stays for the next.
void memory_keep_for_reuse() {}

// WebAssembly has one size of page.
void memory_prefer_large_pages(std::size_t) {}

}  // namespace ordelix
