#include "platform/encoding.h"

#include <unicode/ucnv.h>

#include <memory>

#include "platform/text.h"
#include "xkdtazv/failure.h"

namespace xkdtazv::detail {
namespace {

struct ConverterCloser {
  void operator()(UConverter* converter) const { ucnv_close(converter); }
};
using Converter = std::unique_ptr<UConverter, ConverterCloser>;

Converter OpenWindows1252() {
  UErrorCode status = U_ZERO_ERROR;
  Converter converter(ucnv_open("windows-1252", &status));
  if (U_FAILURE(status)) throw Failure(FailureCode::kInternal);
  return converter;
}

}  // namespace

std::string ToWindows1252(std::string_view utf8) {
  std::u16string units;
  units.reserve(utf8.size());
  for (char32_t cp : DecodeUtf8(utf8)) {
    if (cp > 0xFFFF) {
      units += static_cast<char16_t>(0xD7C0 + (cp >> 10));
      units += static_cast<char16_t>(0xDC00 | (cp & 0x3FF));
    } else {
      units += static_cast<char16_t>(cp);
    }
  }
  Converter converter = OpenWindows1252();
  UErrorCode status = U_ZERO_ERROR;
  // Each code point that the code page cannot hold becomes one "?".
  ucnv_setSubstChars(converter.get(), "?", 1, &status);
  std::string out(units.size() + 1, '\0');
  status = U_ZERO_ERROR;
  const int32_t length =
      ucnv_fromUChars(converter.get(), out.data(), static_cast<int32_t>(out.size()),
                      reinterpret_cast<const UChar*>(units.data()),
                      static_cast<int32_t>(units.size()), &status);
  if (U_FAILURE(status)) throw Failure(FailureCode::kInternal);
  out.resize(static_cast<std::size_t>(length));
  return out;
}

std::string FromWindows1252(std::string_view bytes) {
  Converter converter = OpenWindows1252();
  std::string out;
  out.reserve(bytes.size());
  for (char byte : bytes) {
    const unsigned char value = static_cast<unsigned char>(byte);
    if (value < 0x80) {
      out += byte;
      continue;
    }
    UChar unit = 0;
    UErrorCode status = U_ZERO_ERROR;
    const int32_t length = ucnv_toUChars(converter.get(), &unit, 1, &byte, 1, &status);
    const bool defined = U_SUCCESS(status) && length == 1 && unit != 0x1A && unit != 0xFFFD;
    AppendUtf8(defined ? unit : kReplacementCharacter, out);
  }
  return out;
}

}  // namespace xkdtazv::detail
