// A member of a published interface: its name, kind, type and the functions
// that carry it out. Each interface has one table of these, in published
// order; names, dispatch ids, virtual-table slots and type information are
// all derived from it.
#ifndef XKDTAZV_AUTOMATION_MEMBER_H_
#define XKDTAZV_AUTOMATION_MEMBER_H_

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <stdexcept>
#include <string_view>

#include "xkdtazv/automation.h"

namespace xkdtazv::detail {

class AutomationObject;

enum class MemberKind : std::int32_t {
  kReadWrite = XK_MEMBER_PROPERTY_READ_WRITE,
  kReadOnly = XK_MEMBER_PROPERTY_READ_ONLY,
  kMethod = XK_MEMBER_METHOD,
};

// How a value travels (vt) and what hosts are told it is (name).
struct ValueType {
  XkVarType vt;
  const char* name;
};
inline constexpr ValueType kNoValue{XK_VT_EMPTY, nullptr};
inline constexpr ValueType kTextValue{XK_VT_BSTR, "String"};

// Fills an empty `result`; throws Failure or std::bad_alloc.
using Getter = void (*)(AutomationObject& object, XkVariant& result);
// Receives a value of the member's type, already checked.
using Setter = void (*)(AutomationObject& object, const XkVariant& value);
// `argument` is null for a method without a parameter, else already checked.
using Caller = void (*)(AutomationObject& object, const XkVariant* argument, XkVariant& result);

struct Member {
  const char* name;
  MemberKind kind;
  ValueType type;  // the property's type, or the method's result
  const char* param_name = nullptr;
  ValueType param_type = kNoValue;
  Getter get = nullptr;
  Setter put = nullptr;
  Caller call = nullptr;
};

// IUnknown and IDispatch fill the first seven slots of every interface; then
// each member takes one slot (read, or the method) or two (read, write).
inline constexpr std::uint32_t kFirstMemberSlot = 7;

enum class Access { kRead, kWrite };

constexpr std::uint32_t SlotOf(std::span<const Member> members, std::size_t index, Access access) {
  std::uint32_t slot = kFirstMemberSlot;
  for (std::size_t i = 0; i < index; ++i) {
    slot += members[i].kind == MemberKind::kReadWrite ? 2 : 1;
  }
  return access == Access::kWrite ? slot + 1 : slot;
}

// Dispatch ids count the members from 1 in published order.
constexpr XkDispId DispIdOf(std::size_t index) { return static_cast<XkDispId>(index + 1); }

consteval std::size_t MemberIndex(std::span<const Member> members, std::string_view name) {
  for (std::size_t i = 0; i < members.size(); ++i) {
    if (std::string_view(members[i].name) == name) return i;
  }
  throw std::logic_error("no member of that name");
}

// What hosts read about each member.
template <std::size_t N>
constexpr std::array<XkMemberInfo, N> MemberInfos(const std::array<Member, N>& members) {
  std::array<XkMemberInfo, N> infos{};
  for (std::size_t i = 0; i < N; ++i) {
    const Member& member = members[i];
    const bool has_param = member.param_name != nullptr;
    infos[i] = XkMemberInfo{
        member.name,
        DispIdOf(i),
        static_cast<std::int32_t>(member.kind),
        member.type.vt,
        member.type.name,
        has_param ? 1u : 0u,
        member.param_name,
        member.param_type.vt,
        member.param_type.name,
        SlotOf(members, i, Access::kRead),
        member.kind == MemberKind::kReadWrite ? SlotOf(members, i, Access::kWrite) : 0u,
    };
  }
  return infos;
}

}  // namespace xkdtazv::detail

#endif  // XKDTAZV_AUTOMATION_MEMBER_H_
