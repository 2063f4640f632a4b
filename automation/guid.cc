#include "automation/guid.h"

#include <cstdio>
#include <cstring>

namespace xkdtazv::detail {
namespace {

constexpr std::size_t kGuidTextLength = XK_GUID_STRING_SIZE - 1;

std::optional<unsigned> HexDigit(char c) {
  if (c >= '0' && c <= '9') return static_cast<unsigned>(c - '0');
  if (c >= 'A' && c <= 'F') return static_cast<unsigned>(c - 'A' + 10);
  if (c >= 'a' && c <= 'f') return static_cast<unsigned>(c - 'a' + 10);
  return std::nullopt;
}

// Reads `digits` hex digits at `text[pos]`, advancing pos.
std::optional<std::uint32_t> Hex(std::string_view text, std::size_t& pos, int digits) {
  std::uint32_t value = 0;
  for (int i = 0; i < digits; ++i) {
    const auto digit = HexDigit(text[pos++]);
    if (!digit) return std::nullopt;
    value = (value << 4) | *digit;
  }
  return value;
}

}  // namespace

std::string GuidText(const XkGuid& guid) {
  char text[XK_GUID_STRING_SIZE];
  std::snprintf(text, sizeof text, "{%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}",
                static_cast<unsigned>(guid.data1), guid.data2, guid.data3, guid.data4[0],
                guid.data4[1], guid.data4[2], guid.data4[3], guid.data4[4], guid.data4[5],
                guid.data4[6], guid.data4[7]);
  return text;
}

std::optional<XkGuid> ParseGuid(std::string_view text) {
  if (text.size() != kGuidTextLength || text.front() != '{' || text.back() != '}') {
    return std::nullopt;
  }
  for (const std::size_t dash : {9u, 14u, 19u, 24u}) {
    if (text[dash] != '-') return std::nullopt;
  }
  XkGuid guid{};
  std::size_t pos = 1;
  const auto data1 = Hex(text, pos, 8);
  ++pos;
  const auto data2 = Hex(text, pos, 4);
  ++pos;
  const auto data3 = Hex(text, pos, 4);
  ++pos;
  if (!data1 || !data2 || !data3) return std::nullopt;
  guid.data1 = *data1;
  guid.data2 = static_cast<std::uint16_t>(*data2);
  guid.data3 = static_cast<std::uint16_t>(*data3);
  for (int i = 0; i < 8; ++i) {
    if (i == 2) ++pos;
    const auto byte = Hex(text, pos, 2);
    if (!byte) return std::nullopt;
    guid.data4[i] = static_cast<std::uint8_t>(*byte);
  }
  return guid;
}

}  // namespace xkdtazv::detail

extern "C" {

XK_API void XkGuidToString(const XkGuid* guid, char text[XK_GUID_STRING_SIZE]) {
  if (text == nullptr) return;
  const std::string formatted = guid ? xkdtazv::detail::GuidText(*guid) : std::string();
  std::memcpy(text, formatted.c_str(), formatted.size() + 1);
}

XK_API XkResult XkGuidFromString(const char* text, XkGuid* guid) {
  if (text == nullptr || guid == nullptr) return XK_E_POINTER;
  const auto parsed = xkdtazv::detail::ParseGuid(text);
  if (!parsed) return XK_E_INVALIDARG;
  *guid = *parsed;
  return XK_S_OK;
}

XK_API int XkGuidEqual(const XkGuid* a, const XkGuid* b) {
  return a != nullptr && b != nullptr && xkdtazv::detail::SameGuid(*a, *b) ? 1 : 0;
}

}  // extern "C"
