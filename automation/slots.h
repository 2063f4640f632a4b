// The virtual-table slots of the dual interfaces. Each slot checks the
// caller's thread, catches everything at the C edge, and hands the work to the
// member table; the typed member slots are bound to their table entry by name
// and checked at compile time against the entry's position and type.
#ifndef XKDTAZV_AUTOMATION_SLOTS_H_
#define XKDTAZV_AUTOMATION_SLOTS_H_

#include <cstddef>
#include <new>
#include <type_traits>
#include <utility>

#include "automation/dispatch.h"
#include "automation/member.h"
#include "automation/object.h"
#include "automation/type_library.h"
#include "automation/variant.h"
#include "xkdtazv/automation.h"
#include "xkdtazv/failure.h"

namespace xkdtazv::detail {

// Runs `body` for the object behind `self` on its own thread. A Failure
// becomes XK_FAILURE_STATUS and is kept for XkGetErrorInfo.
template <class Body>
XkResult Guarded(const void* self, Body&& body) noexcept {
  AutomationObject* object = AutomationObject::FromInterface(self);
  if (object == nullptr) return XK_E_POINTER;
  if (!object->OnOwnerThread()) return XK_RPC_E_WRONG_THREAD;
  try {
    return body(*object);
  } catch (const Failure& failure) {
    try {
      object->RecordFailure(failure);
    } catch (...) {
      // The status still carries the number.
    }
    return XK_FAILURE_STATUS(failure.number());
  } catch (const std::bad_alloc&) {
    return XK_E_OUTOFMEMORY;
  } catch (...) {
    return XK_E_UNEXPECTED;
  }
}

// ---- IUnknown and IDispatch -------------------------------------------------

template <class Self>
XkResult QueryInterfaceSlot(Self* self, const XkGuid* iid, void** object) noexcept {
  if (object != nullptr) *object = nullptr;
  return Guarded(self,
                 [&](AutomationObject& target) { return target.QueryInterface(iid, object); });
}

// Reference counts are atomic, so these two may come from any thread.
template <class Self>
std::uint32_t AddRefSlot(Self* self) noexcept {
  AutomationObject* object = AutomationObject::FromInterface(self);
  return object != nullptr ? object->AddRef() : 0;
}

template <class Self>
std::uint32_t ReleaseSlot(Self* self) noexcept {
  AutomationObject* object = AutomationObject::FromInterface(self);
  return object != nullptr ? object->Release() : 0;
}

template <class Self>
XkResult GetTypeInfoCountSlot(Self* self, std::uint32_t* count) noexcept {
  if (count == nullptr) return XK_E_POINTER;
  *count = 0;
  return Guarded(self, [&](AutomationObject&) {
    *count = 1;
    return XK_S_OK;
  });
}

template <class Self>
XkResult GetTypeInfoSlot(Self* self, std::uint32_t index, std::uint32_t /*lcid*/,
                         const XkInterfaceInfo** info) noexcept {
  if (info == nullptr) return XK_E_POINTER;
  *info = nullptr;
  return Guarded(self, [&](AutomationObject& object) {
    if (index != 0) return XK_DISP_E_BADINDEX;
    *info = InterfaceInfoOf(object.binding());
    return XK_S_OK;
  });
}

template <class Self>
XkResult GetIDsOfNamesSlot(Self* self, const XkGuid* iid, const XkChar16* const* names,
                           std::uint32_t count, std::uint32_t /*lcid*/,
                           XkDispId* dispids) noexcept {
  return Guarded(self, [&](AutomationObject& object) {
    return GetIdsOfNames(object, iid, names, count, dispids);
  });
}

template <class Self>
XkResult InvokeSlot(Self* self, XkDispId dispid, const XkGuid* iid, std::uint32_t /*lcid*/,
                    std::uint16_t flags, const XkDispParams* params, XkVariant* result,
                    XkExcepInfo* excepinfo, std::uint32_t* arg_error) noexcept {
  if (result != nullptr) XkVariantInit(result);
  return Guarded(self, [&](AutomationObject& object) {
    return Invoke(object, dispid, iid, flags, params, result, excepinfo, arg_error);
  });
}

// ---- Member slots -----------------------------------------------------------

// How a slot's C type travels in a variant: text, integer (enumerations), or
// an object pointer.
template <class T>
constexpr XkVarType kVarTypeOf = std::is_pointer_v<T> ? XK_VT_DISPATCH : XK_VT_EMPTY;
template <>
inline constexpr XkVarType kVarTypeOf<XkBstr> = XK_VT_BSTR;
template <>
inline constexpr XkVarType kVarTypeOf<std::int32_t> = XK_VT_I4;

template <class Out>
Out TakeValue(XkVariant& value) {
  Out taken{};
  if constexpr (std::is_same_v<Out, XkBstr>) {
    taken = value.bstrVal;
  } else if constexpr (std::is_same_v<Out, std::int32_t>) {
    taken = value.lVal;
  } else {
    taken = reinterpret_cast<Out>(value.pdispVal);
  }
  XkVariantInit(&value);
  return taken;
}

// A variant that borrows the caller's value; it must not be cleared.
template <class In>
XkVariant Borrowed(In value) {
  XkVariant borrowed;
  XkVariantInit(&borrowed);
  borrowed.vt = kVarTypeOf<In>;
  if constexpr (std::is_same_v<In, XkBstr>) {
    borrowed.bstrVal = value;
  } else if constexpr (std::is_same_v<In, std::int32_t>) {
    borrowed.lVal = value;
  } else {
    borrowed.pdispVal = reinterpret_cast<XkDispatch*>(value);
  }
  return borrowed;
}

// The slot sits where the member table puts it.
template <const auto& kMembers, std::size_t kIndex, Access kAccess, std::size_t kOffset>
constexpr bool InTableOrder() {
  return kOffset == SlotOf(kMembers, kIndex, kAccess) * sizeof(void*);
}

template <const auto& kMembers, std::size_t kIndex, std::size_t kOffset, class Self, class Out>
XkResult ReadSlot(Self* self, Out* result) noexcept {
  static_assert(InTableOrder<kMembers, kIndex, Access::kRead, kOffset>(), "slot out of order");
  static_assert(kVarTypeOf<Out> == kMembers[kIndex].type.vt, "the slot's type differs");
  static_assert(kMembers[kIndex].kind != MemberKind::kMethod);
  if (result == nullptr) return XK_E_POINTER;
  *result = Out{};
  return Guarded(self, [&](AutomationObject& object) {
    OwnedVariant value;
    kMembers[kIndex].get(object, value.get());
    *result = TakeValue<Out>(value.get());
    return XK_S_OK;
  });
}

template <const auto& kMembers, std::size_t kIndex, std::size_t kOffset, class Self, class In>
XkResult WriteSlot(Self* self, In value) noexcept {
  static_assert(InTableOrder<kMembers, kIndex, Access::kWrite, kOffset>(), "slot out of order");
  static_assert(kVarTypeOf<In> == kMembers[kIndex].type.vt, "the slot's type differs");
  static_assert(kMembers[kIndex].kind == MemberKind::kReadWrite);
  return Guarded(self, [&](AutomationObject& object) {
    kMembers[kIndex].put(object, Borrowed(value));
    return XK_S_OK;
  });
}

template <const auto& kMembers, std::size_t kIndex, std::size_t kOffset, class Self, class Out>
XkResult MethodSlot(Self* self, Out* result) noexcept {
  static_assert(InTableOrder<kMembers, kIndex, Access::kRead, kOffset>(), "slot out of order");
  static_assert(kVarTypeOf<Out> == kMembers[kIndex].type.vt, "the slot's type differs");
  static_assert(kMembers[kIndex].kind == MemberKind::kMethod);
  static_assert(kMembers[kIndex].param_name == nullptr);
  if (result == nullptr) return XK_E_POINTER;
  *result = Out{};
  return Guarded(self, [&](AutomationObject& object) {
    OwnedVariant value;
    kMembers[kIndex].call(object, nullptr, value.get());
    *result = TakeValue<Out>(value.get());
    return XK_S_OK;
  });
}

template <const auto& kMembers, std::size_t kIndex, std::size_t kOffset, class Self, class In,
          class Out>
XkResult MethodSlot(Self* self, In argument, Out* result) noexcept {
  static_assert(InTableOrder<kMembers, kIndex, Access::kRead, kOffset>(), "slot out of order");
  static_assert(kVarTypeOf<Out> == kMembers[kIndex].type.vt, "the slot's type differs");
  static_assert(kMembers[kIndex].kind == MemberKind::kMethod);
  static_assert(kVarTypeOf<In> == kMembers[kIndex].param_type.vt, "the argument's type differs");
  if (result == nullptr) return XK_E_POINTER;
  *result = Out{};
  return Guarded(self, [&](AutomationObject& object) {
    const XkVariant borrowed = Borrowed(argument);
    const XkResult checked = CheckValue(kMembers[kIndex].param_type, borrowed);
    if (XK_FAILED(checked)) return checked;
    OwnedVariant value;
    kMembers[kIndex].call(object, &borrowed, value.get());
    *result = TakeValue<Out>(value.get());
    return XK_S_OK;
  });
}

// Designated initializers keep the slots in the C header's order; the
// templates check each against the member table.
#define XK_DISPATCH_SLOTS_INIT                                                          \
  .QueryInterface = &::xkdtazv::detail::QueryInterfaceSlot,                             \
  .AddRef = &::xkdtazv::detail::AddRefSlot, .Release = &::xkdtazv::detail::ReleaseSlot, \
  .GetTypeInfoCount = &::xkdtazv::detail::GetTypeInfoCountSlot,                         \
  .GetTypeInfo = &::xkdtazv::detail::GetTypeInfoSlot,                                   \
  .GetIDsOfNames = &::xkdtazv::detail::GetIDsOfNamesSlot, .Invoke = &::xkdtazv::detail::InvokeSlot

#define XK_PROPERTY_SLOTS(Vtbl, kMembers, Name)                                                \
  .get_##Name =                                                                                \
      &::xkdtazv::detail::ReadSlot<kMembers, ::xkdtazv::detail::MemberIndex(kMembers, #Name),  \
                                   offsetof(Vtbl, get_##Name)>,                                \
  .put_##Name =                                                                                \
      &::xkdtazv::detail::WriteSlot<kMembers, ::xkdtazv::detail::MemberIndex(kMembers, #Name), \
                                    offsetof(Vtbl, put_##Name)>

#define XK_READ_ONLY_SLOT(Vtbl, kMembers, Name)                                               \
  .get_##Name =                                                                               \
      &::xkdtazv::detail::ReadSlot<kMembers, ::xkdtazv::detail::MemberIndex(kMembers, #Name), \
                                   offsetof(Vtbl, get_##Name)>

#define XK_METHOD_SLOT(Vtbl, kMembers, Name)                                                    \
  .Name =                                                                                       \
      &::xkdtazv::detail::MethodSlot<kMembers, ::xkdtazv::detail::MemberIndex(kMembers, #Name), \
                                     offsetof(Vtbl, Name)>

}  // namespace xkdtazv::detail

#endif  // XKDTAZV_AUTOMATION_SLOTS_H_
