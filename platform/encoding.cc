#include "platform/encoding.h"

#include <unicode/ucnv.h>

#include <array>
#include <memory>

#include "platform/text.h"
#include "xkdtazv/failure.h"

namespace xkdtazv::detail {
namespace {

struct ConverterCloser {
  void operator()(UConverter* converter) const { ucnv_close(converter); }
};
using Converter = std::unique_ptr<UConverter, ConverterCloser>;

// ICU maps these five bytes to the C1 controls U+0081, U+008D, U+008F, U+0090
// and U+009D; Windows-1252 itself defines no character for them.
bool IsUndefinedByte(unsigned char byte) {
  return byte == 0x81 || byte == 0x8D || byte == 0x8F || byte == 0x90 || byte == 0x9D;
}

Converter OpenWindows1252() {
  UErrorCode status = U_ZERO_ERROR;
  Converter converter(ucnv_open("windows-1252", &status));
  if (U_FAILURE(status)) throw Failure(FailureCode::kInternal);
  return converter;
}

std::string UpperHalfBytes() {
  std::string bytes(128, '\0');
  for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<char>(0x80 + i);
  return bytes;
}

}  // namespace

std::string ToWindows1252(std::string_view utf8) {
  // The code page's upper half, read from the converter once per call.
  std::array<char32_t, 128> upper_half{};
  const std::string decoded = FromWindows1252(UpperHalfBytes());
  std::size_t pos = 0;
  for (char32_t& code_point : upper_half) code_point = DecodeNext(decoded, pos);

  std::string out;
  out.reserve(utf8.size());
  pos = 0;
  while (pos < utf8.size()) {
    const auto byte = static_cast<unsigned char>(utf8[pos]);
    if (byte < 0x80) {  // ASCII stands for itself
      out += static_cast<char>(byte);
      ++pos;
      continue;
    }
    const char32_t code_point = DecodeNext(utf8, pos);
    char encoded = '?';  // what the code page cannot hold
    for (std::size_t i = 0; i < upper_half.size(); ++i) {
      if (upper_half[i] == code_point && code_point != kReplacementCharacter) {
        encoded = static_cast<char>(0x80 + i);
        break;
      }
    }
    out += encoded;
  }
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
    if (IsUndefinedByte(value)) {
      AppendUtf8(kReplacementCharacter, out);
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
