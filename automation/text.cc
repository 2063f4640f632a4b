#include "automation/text.h"

#include <unicode/ustring.h>

#include <cstdlib>
#include <cstring>
#include <limits>
#include <new>

namespace xkdtazv::detail {
namespace {

constexpr UChar32 kReplacement = 0xFFFD;

// Each text carries its byte length in the four bytes in front of it.
std::uint32_t* HeaderOf(XkBstr text) { return reinterpret_cast<std::uint32_t*>(text) - 1; }

XkBstr Allocate(std::uint32_t length) {
  const std::size_t bytes = sizeof(std::uint32_t) + (std::size_t{length} + 1) * sizeof(XkChar16);
  auto* header = static_cast<std::uint32_t*>(std::malloc(bytes));
  if (header == nullptr) return nullptr;
  *header = length * sizeof(XkChar16);
  auto* text = reinterpret_cast<XkBstr>(header + 1);
  text[length] = 0;
  return text;
}

int32_t CheckedLength(std::size_t length) {
  if (length > static_cast<std::size_t>(std::numeric_limits<int32_t>::max() / 4)) {
    throw std::bad_alloc();
  }
  return static_cast<int32_t>(length);
}

// Most texts a caller hands over are ASCII, whose UTF-16 and UTF-8 forms
// are the same numbers: they are widened or narrowed unit by unit, without
// the converter's two passes.
bool IsAscii(std::string_view utf8) noexcept {
  for (const char c : utf8) {
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  }
  return true;
}

bool IsAscii(const XkChar16* units, std::size_t length) noexcept {
  for (std::size_t i = 0; i < length; ++i) {
    if (units[i] >= 0x80) return false;
  }
  return true;
}

}  // namespace

XkBstr NewBstr(std::string_view utf8) {
  const int32_t source_length = CheckedLength(utf8.size());
  if (IsAscii(utf8)) {
    XkBstr text = Allocate(static_cast<std::uint32_t>(source_length));
    if (text == nullptr) throw std::bad_alloc();
    for (std::size_t i = 0; i < utf8.size(); ++i) text[i] = static_cast<unsigned char>(utf8[i]);
    return text;
  }
  int32_t length = 0;
  UErrorCode status = U_ZERO_ERROR;
  u_strFromUTF8WithSub(nullptr, 0, &length, utf8.data(), source_length, kReplacement, nullptr,
                       &status);
  if (status != U_BUFFER_OVERFLOW_ERROR && U_FAILURE(status)) throw std::bad_alloc();
  XkBstr text = Allocate(static_cast<std::uint32_t>(length));
  if (text == nullptr) throw std::bad_alloc();
  status = U_ZERO_ERROR;
  u_strFromUTF8WithSub(reinterpret_cast<UChar*>(text), length + 1, nullptr, utf8.data(),
                       source_length, kReplacement, nullptr, &status);
  return text;
}

std::string Utf8Of(XkBstr text) {
  const std::uint32_t units = XkBstrLength(text);
  if (units == 0) return {};
  if (IsAscii(text, units)) {
    std::string utf8(units, '\0');
    for (std::size_t i = 0; i < units; ++i) utf8[i] = static_cast<char>(text[i]);
    return utf8;
  }
  const auto* source = reinterpret_cast<const UChar*>(text);
  const int32_t source_length = CheckedLength(units);
  int32_t length = 0;
  UErrorCode status = U_ZERO_ERROR;
  u_strToUTF8WithSub(nullptr, 0, &length, source, source_length, kReplacement, nullptr, &status);
  std::string utf8(static_cast<std::size_t>(length), '\0');
  status = U_ZERO_ERROR;
  u_strToUTF8WithSub(utf8.data(), length, nullptr, source, source_length, kReplacement, nullptr,
                     &status);
  return utf8;
}

std::u16string_view NameOf(const XkChar16* name) {
  std::size_t length = 0;
  while (name[length] != 0) ++length;
  return {reinterpret_cast<const char16_t*>(name), length};
}

}  // namespace xkdtazv::detail

extern "C" {

XK_API XkBstr XkBstrAlloc(const XkChar16* text, uint32_t length) {
  if (length > std::numeric_limits<uint32_t>::max() / sizeof(XkChar16) - 4) return nullptr;
  XkBstr copy = xkdtazv::detail::Allocate(length);
  if (copy == nullptr) return nullptr;
  if (text != nullptr) {
    std::memcpy(copy, text, length * sizeof(XkChar16));
  } else {
    std::memset(copy, 0, length * sizeof(XkChar16));
  }
  return copy;
}

XK_API XkBstr XkBstrFromUtf8(const char* text, size_t length) {
  if (text == nullptr) return nullptr;
  try {
    return xkdtazv::detail::NewBstr(std::string_view(text, length));
  } catch (...) {
    return nullptr;
  }
}

XK_API uint32_t XkBstrLength(XkBstr text) {
  return text == nullptr ? 0 : *xkdtazv::detail::HeaderOf(text) / sizeof(XkChar16);
}

XK_API void XkBstrFree(XkBstr text) {
  if (text != nullptr) std::free(xkdtazv::detail::HeaderOf(text));
}

XK_API char* XkBstrToUtf8(XkBstr text, size_t* length) {
  try {
    const std::string utf8 = xkdtazv::detail::Utf8Of(text);
    auto* copy = static_cast<char*>(std::malloc(utf8.size() + 1));
    if (copy == nullptr) return nullptr;
    std::memcpy(copy, utf8.c_str(), utf8.size() + 1);
    if (length != nullptr) *length = utf8.size();
    return copy;
  } catch (...) {
    return nullptr;
  }
}

XK_API void XkUtf8Free(char* text) { std::free(text); }

}  // extern "C"
