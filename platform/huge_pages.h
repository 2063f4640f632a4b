// Large arrays that are filled once and soon released (a file read whole, the
// payments' view) are touched page by page on first use. On virtual machines
// each 4 KiB page fault can cost microseconds, more than filling the page;
// transparent huge pages map 2 MiB a fault instead.
#ifndef XKDTAZV_PLATFORM_HUGE_PAGES_H_
#define XKDTAZV_PLATFORM_HUGE_PAGES_H_

#include <cstddef>

namespace xkdtazv::detail {

// Below this a block is left as it is: it faults in a few pages at most, and
// blocks of the ordinary heap are not worth splitting the mapping for.
inline constexpr std::size_t kHugePageWorthwhile = 4 * 1024 * 1024;

// Asks the kernel to back the pages of [data, data + size) with huge pages
// where it allows that. Only a hint: nothing changes where the
// kernel has them turned off, and the memory's contents are never touched.
void PreferHugePages(const void* data, std::size_t size) noexcept;

}  // namespace xkdtazv::detail

#endif  // XKDTAZV_PLATFORM_HUGE_PAGES_H_
