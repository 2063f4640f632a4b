// Dispatch by name over a class's member table: GetIDsOfNames and Invoke.
#ifndef XKDTAZV_AUTOMATION_DISPATCH_H_
#define XKDTAZV_AUTOMATION_DISPATCH_H_

#include "automation/member.h"
#include "automation/object.h"
#include "xkdtazv/automation.h"
#include "xkdtazv/failure.h"

namespace xkdtazv::detail {

// Whether `value` may be passed where `type` is expected. No conversions:
// text takes text, enumerations take 32-bit integers, objects take null or
// this library's object of the named class, living on the caller's thread.
XkResult CheckValue(const ValueType& type, const XkVariant& value);

XkResult GetIdsOfNames(const AutomationObject& object, const XkGuid* iid,
                       const XkChar16* const* names, std::uint32_t count, XkDispId* dispids);

// Failures a member does not catch come back as XK_DISP_E_EXCEPTION with
// `excepinfo` filled, or as XK_FAILURE_STATUS(number) when it is null.
XkResult Invoke(AutomationObject& object, XkDispId dispid, const XkGuid* iid, std::uint16_t flags,
                const XkDispParams* params, XkVariant* result, XkExcepInfo* excepinfo,
                std::uint32_t* arg_error);

// Never throws: texts that cannot be allocated stay null.
void FillExcepInfo(XkExcepInfo& info, const Failure& failure, const char* source) noexcept;

}  // namespace xkdtazv::detail

#endif  // XKDTAZV_AUTOMATION_DISPATCH_H_
