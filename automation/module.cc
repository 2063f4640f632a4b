#include "automation/module.h"

#include <atomic>

#include "xkdtazv/automation.h"

namespace xkdtazv::detail {
namespace {

// Atomic because hosts may release references from any thread.
std::atomic<long> live_objects{0};
std::atomic<long> server_locks{0};

}  // namespace

void CountObjectCreated() noexcept { ++live_objects; }
void CountObjectDestroyed() noexcept { --live_objects; }

void CountServerLock(bool lock) noexcept {
  if (lock) {
    ++server_locks;
    return;
  }
  // An unbalanced unlock must not make the count negative.
  long locks = server_locks.load();
  while (locks > 0 && !server_locks.compare_exchange_weak(locks, locks - 1)) {
  }
}

bool ModuleInUse() noexcept { return live_objects.load() > 0 || server_locks.load() > 0; }

}  // namespace xkdtazv::detail

extern "C" XK_API XkResult DllCanUnloadNow(void) {
  return xkdtazv::detail::ModuleInUse() ? XK_S_FALSE : XK_S_OK;
}
