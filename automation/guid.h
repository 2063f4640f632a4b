// Identifiers and their braced text form, as the registry file stores them.
#ifndef XKDTAZV_AUTOMATION_GUID_H_
#define XKDTAZV_AUTOMATION_GUID_H_

#include <optional>
#include <string>
#include <string_view>

#include "xkdtazv/automation.h"

namespace xkdtazv::detail {

constexpr bool SameGuid(const XkGuid& a, const XkGuid& b) {
  if (a.data1 != b.data1 || a.data2 != b.data2 || a.data3 != b.data3) return false;
  for (int i = 0; i < 8; ++i) {
    if (a.data4[i] != b.data4[i]) return false;
  }
  return true;
}

// "{1564F465-CBC5-4D6F-9ABB-570DDA9604BC}", upper case.
std::string GuidText(const XkGuid& guid);
// The braced form, either case; nothing for any other text.
std::optional<XkGuid> ParseGuid(std::string_view text);

}  // namespace xkdtazv::detail

#endif  // XKDTAZV_AUTOMATION_GUID_H_
