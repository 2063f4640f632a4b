// The failure records hosts receive: filled by Invoke, or taken afterwards
// from the object for slot calls.
#include <cstring>

#include "automation/dispatch.h"
#include "automation/slots.h"

extern "C" {

XK_API void XkExcepInfoClear(XkExcepInfo* info) {
  if (info == nullptr) return;
  XkBstrFree(info->source);
  XkBstrFree(info->description);
  std::memset(info, 0, sizeof *info);
}

XK_API XkResult XkGetErrorInfo(XkUnknown* object, XkExcepInfo* info) {
  if (info == nullptr) return XK_E_POINTER;
  std::memset(info, 0, sizeof *info);
  return xkdtazv::detail::Guarded(object, [&](xkdtazv::detail::AutomationObject& target) {
    auto failure = target.TakeFailure();
    if (!failure) return XK_S_FALSE;
    xkdtazv::detail::FillExcepInfo(*info, *failure, target.binding().prog_id);
    return XK_S_OK;
  });
}

}  // extern "C"
