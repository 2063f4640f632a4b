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

Windows1252Encoder::Windows1252Encoder() {
  const std::string decoded = FromWindows1252(UpperHalfBytes());
  std::size_t pos = 0;
  for (char32_t& code_point : upper_half_) code_point = DecodeNext(decoded, pos);
}

char Windows1252Encoder::Encode(char32_t code_point) const {
  if (code_point < 0x80) return static_cast<char>(code_point);  // ASCII stands for itself
  if (code_point == kReplacementCharacter) return '?';
  for (std::size_t i = 0; i < upper_half_.size(); ++i) {
    if (upper_half_[i] == code_point) return static_cast<char>(0x80 + i);
  }
  return '?';  // what the code page cannot hold
}

void Windows1252Encoder::Append(std::string_view utf8, std::string& out) const {
  std::size_t pos = 0;
  while (pos < utf8.size()) {
    const auto byte = static_cast<unsigned char>(utf8[pos]);
    if (byte < 0x80) {
      out += static_cast<char>(byte);
      ++pos;
    } else {
      out += Encode(DecodeNext(utf8, pos));
    }
  }
}

char* Windows1252Encoder::Write(std::string_view utf8, char* out) const {
  std::size_t pos = 0;
  while (pos < utf8.size()) {
    const auto byte = static_cast<unsigned char>(utf8[pos]);
    if (byte < 0x80) {
      *out++ = static_cast<char>(byte);
      ++pos;
    } else {
      *out++ = Encode(DecodeNext(utf8, pos));
    }
  }
  return out;
}

std::string ToWindows1252(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  Windows1252Encoder().Append(utf8, out);
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
