#include "platform/memory_reuse.h"

#include <malloc.h>
#include <sys/mman.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>

namespace ordelix {

// Handing freed memory back to the system and faulting it in again, zeroed,
// for the next file costs more than a small conversion; the peak stays that
// of one file per worker.
void memory_keep_for_reuse() {
  ::mallopt(M_TRIM_THRESHOLD, 64 << 20);
  ::mallopt(M_MMAP_THRESHOLD, 4 << 20);
}

// A fault per 4 KiB page costs a large workbook a twentieth of its time. The
// block, freed, stays the heap's top (neither trimmed nor mapped apart), from
// which the report's blocks come in order; the system backs its large pages
// with 2 MiB pages as they are touched, where it does so on request.
void memory_prefer_large_pages(std::size_t surely_used) {
#ifndef ORDELIX_SANITIZE  // whose allocator maps and poisons such a block anew in every run
  constexpr std::uintptr_t large_page = 2 << 20;
  constexpr std::size_t most_reserved = 24 << 20;
  std::size_t reserved = std::min(surely_used, most_reserved);
  if (reserved < large_page) return;
  ::mallopt(M_TRIM_THRESHOLD, 64 << 20);
  ::mallopt(M_MMAP_THRESHOLD, 32 << 20);
  void* block = std::malloc(reserved);
  if (block == nullptr) return;
  std::uintptr_t start = reinterpret_cast<std::uintptr_t>(block);
  std::uintptr_t first = (start + large_page - 1) & ~(large_page - 1);
  std::uintptr_t end = (start + reserved) & ~(large_page - 1);
  if (end > first) ::madvise(reinterpret_cast<void*>(first), end - first, MADV_HUGEPAGE);
  std::free(block);
#else
  (void)surely_used;
#endif
}

}  // namespace ordelix
