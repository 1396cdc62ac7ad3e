#pragma once

namespace ordelix {

// Keeps memory a conversion freed for the next one rather than handing it
// back to the system, where the allocator allows: for batches.
void memory_keep_for_reuse();

}  // namespace ordelix
