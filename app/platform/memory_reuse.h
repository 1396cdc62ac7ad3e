#pragma once

namespace ordelix {

// Keeps memory a conversion freed for the next one rather than handing it
// back to the system, where the allocator allows: for batches.
void memory_keep_for_reuse();

// Sets the heap up for a large report, where the system allows: its first
// tens of megabytes reserved at once and backed by large pages, so that the
// report's many small blocks fault in a few pages rather than thousands.
void memory_prefer_large_pages();

}  // namespace ordelix
