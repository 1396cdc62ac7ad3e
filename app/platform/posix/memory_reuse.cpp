#include "platform/memory_reuse.h"

#include <malloc.h>

namespace ordelix {

// Handing freed memory back to the system and faulting it in again, zeroed,
// for the next file costs more than a small conversion; the peak stays that
// of one file per worker.
void memory_keep_for_reuse() {
  ::mallopt(M_TRIM_THRESHOLD, 64 << 20);
  ::mallopt(M_MMAP_THRESHOLD, 4 << 20);
}

}  // namespace ordelix
