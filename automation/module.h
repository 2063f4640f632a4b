// The library's one piece of process-wide state: how many objects, class
// factories and server locks are alive. DllCanUnloadNow reports it, so it
// cannot live in any object.
#ifndef XKDTAZV_AUTOMATION_MODULE_H_
#define XKDTAZV_AUTOMATION_MODULE_H_

namespace xkdtazv::detail {

void CountObjectCreated() noexcept;
void CountObjectDestroyed() noexcept;
void CountServerLock(bool lock) noexcept;
bool ModuleInUse() noexcept;

}  // namespace xkdtazv::detail

#endif  // XKDTAZV_AUTOMATION_MODULE_H_
