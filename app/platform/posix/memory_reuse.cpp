#include "platform/memory_reuse.h"

#include <malloc.h>
#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <utility>

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
// which the report's blocks come in order. The system backs its large pages
// with 2 MiB pages where it does so on request, and faults it all in at once
// where it can (since Linux 5.14).
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
  auto start = reinterpret_cast<std::uintptr_t>(block);
  auto within = [start, reserved](std::uintptr_t page) {
    return std::pair{(start + page - 1) & ~(page - 1), (start + reserved) & ~(page - 1)};
  };
  if (auto [first, end] = within(large_page); end > first)
    ::madvise(reinterpret_cast<void*>(first), end - first, MADV_HUGEPAGE);
  if (auto [first, end] = within(static_cast<std::uintptr_t>(::sysconf(_SC_PAGESIZE))); end > first)
    ::madvise(reinterpret_cast<void*>(first), end - first, MADV_POPULATE_WRITE);
  std::free(block);
#else
  (void)surely_used;
#endif
}

}  // namespace ordelix
