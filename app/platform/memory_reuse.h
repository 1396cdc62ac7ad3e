#pragma once

#include <cstddef>

namespace ordelix {

// Keeps memory a conversion freed for the next one rather than handing it
// back to the system, where the allocator allows: for batches.
void memory_keep_for_reuse();

// Sets the heap up for a report that will use at least `surely_used` bytes of
// it, where the system allows: that much reserved and faulted in at once, and
// the large pages that fit in it backed as such, so that the report's many
// small blocks fault in no page at all rather than thousands. Nothing is made
// resident beyond what the report fills anyway.
void memory_prefer_large_pages(std::size_t surely_used);

}  // namespace ordelix
