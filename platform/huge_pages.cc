#include "platform/huge_pages.h"

#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>

namespace xkdtazv::detail {

void PreferHugePages(const void* data, std::size_t size) noexcept {
#ifdef MADV_HUGEPAGE
  if (data == nullptr || size < kHugePageWorthwhile) return;
  const long page = sysconf(_SC_PAGESIZE);
  if (page <= 0) return;
  const auto page_size = static_cast<std::uintptr_t>(page);
  // Every page the block touches: each is mapped, being partly the block's.
  // The page with an allocator's header before a large block is then
  // included, and with it the mapping's first huge page.
  const auto start = reinterpret_cast<std::uintptr_t>(data);
  const std::uintptr_t first = start / page_size * page_size;
  const std::uintptr_t end = (start + size + page_size - 1) / page_size * page_size;
  // A refusal (an old kernel, huge pages turned off) leaves ordinary pages.
  madvise(reinterpret_cast<void*>(first), end - first, MADV_HUGEPAGE);
#else
  (void)data;
  (void)size;
#endif
}

}  // namespace xkdtazv::detail
