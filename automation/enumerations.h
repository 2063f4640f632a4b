// The four published enumerations: one table each of member names and values,
// read by the type information and, through it, by every host.
#ifndef XKDTAZV_AUTOMATION_ENUMERATIONS_H_
#define XKDTAZV_AUTOMATION_ENUMERATIONS_H_

#include <cstdint>
#include <iterator>

#include "xkdtazv/automation.h"
#include "xkdtazv/codes.h"

namespace xkdtazv::detail {

// The member's name as written in the C++ enumeration, so that a misspelt
// name does not compile.
#define XK_ENUM_MEMBER(Enum, Name) \
  XkEnumMemberInfo { #Name, static_cast < std::int32_t>(::xkdtazv::Enum::Name) }

template <class Enum>
struct EnumTable;

template <>
struct EnumTable<Zahlungsart> {
  static constexpr const char* kName = "Zahlungsart";
  static constexpr XkGuid kId = XK_ENUMID_Zahlungsart;
  static constexpr XkEnumMemberInfo kMembers[] = {
      XK_ENUM_MEMBER(Zahlungsart, STANDARD),
      XK_ENUM_MEMBER(Zahlungsart, TELEX_SWIFT),
      XK_ENUM_MEMBER(Zahlungsart, EUE),
      XK_ENUM_MEMBER(Zahlungsart, EU_STANDART),
      XK_ENUM_MEMBER(Zahlungsart, GRENZUEBERSCHREITEND),
  };
};

template <>
struct EnumTable<Weisungsschluessel> {
  static constexpr const char* kName = "Weisungsschluessel";
  static constexpr XkGuid kId = XK_ENUMID_Weisungsschluessel;
  static constexpr XkEnumMemberInfo kMembers[] = {
      XK_ENUM_MEMBER(Weisungsschluessel, BONL), XK_ENUM_MEMBER(Weisungsschluessel, CHQB),
      XK_ENUM_MEMBER(Weisungsschluessel, HOLD), XK_ENUM_MEMBER(Weisungsschluessel, PHON),
      XK_ENUM_MEMBER(Weisungsschluessel, TELE), XK_ENUM_MEMBER(Weisungsschluessel, PHOB),
      XK_ENUM_MEMBER(Weisungsschluessel, TELB), XK_ENUM_MEMBER(Weisungsschluessel, CORT),
      XK_ENUM_MEMBER(Weisungsschluessel, INTC), XK_ENUM_MEMBER(Weisungsschluessel, EURO_GEGENWERT),
  };
};

template <>
struct EnumTable<LaenderCodes> {
  static constexpr const char* kName = "LaenderCodes";
  static constexpr XkGuid kId = XK_ENUMID_LaenderCodes;
  static constexpr XkEnumMemberInfo kMembers[] = {
      XK_ENUM_MEMBER(LaenderCodes, NONE),           XK_ENUM_MEMBER(LaenderCodes, BELGIEN),
      XK_ENUM_MEMBER(LaenderCodes, DAENEMARK),      XK_ENUM_MEMBER(LaenderCodes, ESTLAND),
      XK_ENUM_MEMBER(LaenderCodes, FINNLAND),       XK_ENUM_MEMBER(LaenderCodes, FRANKREICH),
      XK_ENUM_MEMBER(LaenderCodes, FRANZ_GUAYANA),  XK_ENUM_MEMBER(LaenderCodes, GIBRALTAR),
      XK_ENUM_MEMBER(LaenderCodes, GRIECHENLAND),   XK_ENUM_MEMBER(LaenderCodes, GUADELOUPE),
      XK_ENUM_MEMBER(LaenderCodes, IRLAND),         XK_ENUM_MEMBER(LaenderCodes, ITALIEN),
      XK_ENUM_MEMBER(LaenderCodes, LETTLAND),       XK_ENUM_MEMBER(LaenderCodes, LITAUEN),
      XK_ENUM_MEMBER(LaenderCodes, LUXEMBURG),      XK_ENUM_MEMBER(LaenderCodes, MALTA),
      XK_ENUM_MEMBER(LaenderCodes, MARTINIQUE),     XK_ENUM_MEMBER(LaenderCodes, NIEDERLANDE),
      XK_ENUM_MEMBER(LaenderCodes, OESTERREICH),    XK_ENUM_MEMBER(LaenderCodes, POLEN),
      XK_ENUM_MEMBER(LaenderCodes, PORTUGAL),       XK_ENUM_MEMBER(LaenderCodes, REUNION),
      XK_ENUM_MEMBER(LaenderCodes, SCHWEDEN),       XK_ENUM_MEMBER(LaenderCodes, SLOWAKEI),
      XK_ENUM_MEMBER(LaenderCodes, SLOWENIEN),      XK_ENUM_MEMBER(LaenderCodes, SPANIEN),
      XK_ENUM_MEMBER(LaenderCodes, TSCHESCH_REP),   XK_ENUM_MEMBER(LaenderCodes, UNGARN),
      XK_ENUM_MEMBER(LaenderCodes, GROSSBRITANIEN), XK_ENUM_MEMBER(LaenderCodes, ZYPERN),
      XK_ENUM_MEMBER(LaenderCodes, DEUTSCHLAND),
  };
};

template <>
struct EnumTable<AllowedEULaenderCodes> {
  static constexpr const char* kName = "AllowedEULaenderCodes";
  static constexpr XkGuid kId = XK_ENUMID_AllowedEULaenderCodes;
  static constexpr XkEnumMemberInfo kMembers[] = {
      XK_ENUM_MEMBER(AllowedEULaenderCodes, NONE),
      XK_ENUM_MEMBER(AllowedEULaenderCodes, BELGIEN),
      XK_ENUM_MEMBER(AllowedEULaenderCodes, DAENEMARK),
      XK_ENUM_MEMBER(AllowedEULaenderCodes, FINNLAND),
      XK_ENUM_MEMBER(AllowedEULaenderCodes, FRANKREICH),
      XK_ENUM_MEMBER(AllowedEULaenderCodes, FRANZ_GUAYANA),
      XK_ENUM_MEMBER(AllowedEULaenderCodes, GRIECHENLAND),
      XK_ENUM_MEMBER(AllowedEULaenderCodes, GUADELOUPE),
      XK_ENUM_MEMBER(AllowedEULaenderCodes, IRLAND),
      XK_ENUM_MEMBER(AllowedEULaenderCodes, ITALIEN),
      XK_ENUM_MEMBER(AllowedEULaenderCodes, LUXEMBURG),
      XK_ENUM_MEMBER(AllowedEULaenderCodes, MARTINIQUE),
      XK_ENUM_MEMBER(AllowedEULaenderCodes, NIEDERLANDE),
      XK_ENUM_MEMBER(AllowedEULaenderCodes, OESTERREICH),
      XK_ENUM_MEMBER(AllowedEULaenderCodes, PORTUGAL),
      XK_ENUM_MEMBER(AllowedEULaenderCodes, REUNION),
      XK_ENUM_MEMBER(AllowedEULaenderCodes, SCHWEDEN),
      XK_ENUM_MEMBER(AllowedEULaenderCodes, SPANIEN),
      XK_ENUM_MEMBER(AllowedEULaenderCodes, GROSSBRITANIEN),
      XK_ENUM_MEMBER(AllowedEULaenderCodes, DEUTSCHLAND),
  };
};

#undef XK_ENUM_MEMBER

template <class Enum>
constexpr XkEnumInfo EnumInfoOf() {
  using Table = EnumTable<Enum>;
  return {Table::kName, Table::kId, static_cast<std::uint32_t>(std::size(Table::kMembers)),
          Table::kMembers};
}

}  // namespace xkdtazv::detail

#endif  // XKDTAZV_AUTOMATION_ENUMERATIONS_H_
