// Member-table entries built from the core classes' own accessors: `X()`
// reads, `setX(...)` writes. The macros take the published name from the C++
// name, so the two cannot differ.
#ifndef XKDTAZV_AUTOMATION_ACCESSORS_H_
#define XKDTAZV_AUTOMATION_ACCESSORS_H_

#include <cstdint>
#include <type_traits>

#include "automation/enumerations.h"
#include "automation/member.h"
#include "automation/objects.h"
#include "automation/text.h"
#include "automation/variant.h"

namespace xkdtazv::detail {

template <class Function>
struct MemberFunction;
template <class C, class R>
struct MemberFunction<R (C::*)() const> {
  using Class = C;
};
template <class C, class R>
struct MemberFunction<R (C::*)()> {
  using Class = C;
};
template <class C, class A>
struct MemberFunction<void (C::*)(A)> {
  using Class = C;
  using Argument = std::remove_cvref_t<A>;
};

template <auto kFunction>
using CoreClass = typename MemberFunction<decltype(kFunction)>::Class;

template <auto kRead>
void ReadText(AutomationObject& object, XkVariant& result) {
  SetText(result, (CoreOf<CoreClass<kRead>>(object).*kRead)());
}

template <auto kWrite>
void WriteText(AutomationObject& object, const XkVariant& value) {
  (CoreOf<CoreClass<kWrite>>(object).*kWrite)(Utf8Of(value.bstrVal));
}

template <auto kRead>
void ReadEnum(AutomationObject& object, XkVariant& result) {
  SetInteger(result, static_cast<std::int32_t>((CoreOf<CoreClass<kRead>>(object).*kRead)()));
}

template <auto kWrite>
void WriteEnum(AutomationObject& object, const XkVariant& value) {
  using Enum = typename MemberFunction<decltype(kWrite)>::Argument;
  (CoreOf<CoreClass<kWrite>>(object).*kWrite)(static_cast<Enum>(value.lVal));
}

template <auto kCall>
void CallText(AutomationObject& object, const XkVariant* /*argument*/, XkVariant& result) {
  SetText(result, (CoreOf<CoreClass<kCall>>(object).*kCall)());
}

template <auto kRead, auto kWrite>
constexpr Member TextProperty(const char* name) {
  return {name,     MemberKind::kReadWrite, kTextValue,         nullptr,
          kNoValue, &ReadText<kRead>,       &WriteText<kWrite>, nullptr};
}

template <auto kRead, auto kWrite>
constexpr Member EnumProperty(const char* name) {
  using Enum = typename MemberFunction<decltype(kWrite)>::Argument;
  return {name,
          MemberKind::kReadWrite,
          ValueType{XK_VT_I4, EnumTable<Enum>::kName},
          nullptr,
          kNoValue,
          &ReadEnum<kRead>,
          &WriteEnum<kWrite>,
          nullptr};
}

template <auto kCall>
constexpr Member TextMethod(const char* name) {
  return {name,    MemberKind::kMethod, kTextValue, nullptr, kNoValue, nullptr,
          nullptr, &CallText<kCall>};
}

#define XK_TEXT_PROPERTY(Core, Name) \
  ::xkdtazv::detail::TextProperty<&Core::Name, &Core::set##Name>(#Name)
#define XK_ENUM_PROPERTY(Core, Name) \
  ::xkdtazv::detail::EnumProperty<&Core::Name, &Core::set##Name>(#Name)
#define XK_TEXT_METHOD(Core, Name) ::xkdtazv::detail::TextMethod<&Core::Name>(#Name)

}  // namespace xkdtazv::detail

#endif  // XKDTAZV_AUTOMATION_ACCESSORS_H_
