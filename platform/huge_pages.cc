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
  // Only whole pages inside the block: its neighbours keep their own advice.
  const auto start = reinterpret_cast<std::uintptr_t>(data);
  const std::uintptr_t first = (start + page_size - 1) / page_size * page_size;
  const std::uintptr_t end = (start + size) / page_size * page_size;
  if (end <= first) return;
  // A refusal (an old kernel, huge pages turned off) leaves ordinary pages.
  madvise(reinterpret_cast<void*>(first), end - first, MADV_HUGEPAGE);
#else
  (void)data;
  (void)size;
#endif
}

}  // namespace xkdtazv::detail
