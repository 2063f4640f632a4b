#include "reader/text_encoding.h"

#include <unicode/ucnv.h>
#include <unicode/utf8.h>

#include <algorithm>
#include <cstdint>
#include <memory>

namespace xkdtazv::cli {
namespace {

constexpr char kReplacement[] = "\xEF\xBF\xBD";  // U+FFFD

struct ConverterCloser {
  void operator()(UConverter* converter) const { ucnv_close(converter); }
};

std::string Utf8Of(UChar32 code_point) {
  char buffer[U8_MAX_LENGTH];
  std::int32_t length = 0;
  UBool error = false;
  U8_APPEND(buffer, length, U8_MAX_LENGTH, code_point, error);
  if (error) return kReplacement;
  return std::string(buffer, static_cast<std::size_t>(length));
}

}  // namespace

Windows1252Table MakeWindows1252Table() {
  Windows1252Table table;
  for (std::size_t byte = 0; byte < 0x80; ++byte)
    table[byte] = std::string(1, static_cast<char>(byte));
  for (std::size_t byte = 0x80; byte < table.size(); ++byte) table[byte] = kReplacement;
  // The upper half in one conversion: every byte of this code page maps to one
  // UTF-16 unit, and an undefined byte to the converter's substitute.
  char upper_half[0x80];
  for (std::size_t i = 0; i < sizeof upper_half; ++i) upper_half[i] = static_cast<char>(0x80 + i);
  UChar units[0x80];
  UErrorCode status = U_ZERO_ERROR;
  std::unique_ptr<UConverter, ConverterCloser> converter(ucnv_open("windows-1252", &status));
  const std::int32_t length =
      U_SUCCESS(status) ? ucnv_toUChars(converter.get(), units, 0x80, upper_half, 0x80, &status)
                        : 0;
  if (U_FAILURE(status) || length != 0x80) return table;
  for (std::size_t i = 0; i < 0x80; ++i) {
    // ICU hands the five undefined bytes through as C1 control characters.
    const bool undefined =
        units[i] == 0x1A || units[i] == 0xFFFD || (units[i] >= 0x80 && units[i] <= 0x9F);
    if (!undefined) table[0x80 + i] = Utf8Of(units[i]);
  }
  return table;
}

std::string Windows1252ToUtf8(std::string_view bytes) {
  const Windows1252Table table = MakeWindows1252Table();
  std::string out;
  out.reserve(bytes.size());
  for (const char byte : bytes) out += table[static_cast<unsigned char>(byte)];
  return out;
}

std::string PrintableWindows1252(std::string_view bytes, const Windows1252Table& table) {
  std::string out;
  out.reserve(bytes.size());
  AppendPrintableWindows1252(out, bytes, table);
  return out;
}

void AppendPrintableWindows1252(std::string& out, std::string_view bytes,
                                const Windows1252Table& table) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  const auto printable_ascii = [](unsigned char value) { return value >= 0x20 && value < 0x7F; };
  for (std::size_t at = 0; at < bytes.size(); ++at) {
    // Runs of printable ASCII, the common case, go in one piece.
    std::size_t end = at;
    while (end < bytes.size() && printable_ascii(static_cast<unsigned char>(bytes[end]))) ++end;
    if (end > at) {
      out.append(bytes.data() + at, end - at);
      at = end;
      if (at == bytes.size()) break;
    }
    const auto value = static_cast<unsigned char>(bytes[at]);
    const std::string& utf8 = table[value];
    const bool control = value < 0x20 || value == 0x7F;
    if (control || utf8 == kReplacement) {
      out += "\\x";
      out += kHex[value >> 4];
      out += kHex[value & 0xF];
    } else {
      out += utf8;
    }
  }
}

bool IsValidUtf8(std::string_view text) noexcept {
  const auto* data = reinterpret_cast<const std::uint8_t*>(text.data());
  const auto length = static_cast<std::int32_t>(text.size());
  if (text.size() > static_cast<std::size_t>(INT32_MAX)) return false;
  std::int32_t offset = 0;
  while (offset < length) {
    UChar32 code_point = 0;
    U8_NEXT(data, offset, length, code_point);
    if (code_point < 0) return false;
  }
  return true;
}

std::string EscapeInvalidUtf8(std::string_view text) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  if (text.size() > static_cast<std::size_t>(INT32_MAX)) text = text.substr(0, INT32_MAX);
  const auto* data = reinterpret_cast<const std::uint8_t*>(text.data());
  const auto length = static_cast<std::int32_t>(text.size());
  std::string out;
  std::int32_t offset = 0;
  while (offset < length) {
    const std::int32_t start = offset;
    UChar32 code_point = 0;
    U8_NEXT(data, offset, length, code_point);
    if (code_point >= 0) {
      out.append(
          text.substr(static_cast<std::size_t>(start), static_cast<std::size_t>(offset - start)));
      continue;
    }
    const std::uint8_t byte = data[start];
    out += "\\x";
    out += kHex[byte >> 4];
    out += kHex[byte & 0xF];
    offset = start + 1;
  }
  return out;
}

std::size_t CodePointCount(std::string_view utf8) noexcept {
  if (utf8.size() > static_cast<std::size_t>(INT32_MAX)) return utf8.size();
  const auto* data = reinterpret_cast<const std::uint8_t*>(utf8.data());
  const auto length = static_cast<std::int32_t>(utf8.size());
  std::size_t count = 0;
  std::int32_t offset = 0;
  while (offset < length) {
    UChar32 code_point = 0;
    U8_NEXT(data, offset, length, code_point);  // a malformed sequence counts once
    ++count;
  }
  return count;
}

std::string QuoteShort(std::string_view text, std::size_t limit) {
  const auto* data = reinterpret_cast<const std::uint8_t*>(text.data());
  const auto length = static_cast<std::int32_t>(std::min<std::size_t>(text.size(), INT32_MAX));
  std::int32_t offset = 0;
  for (std::size_t count = 0; count < limit && offset < length; ++count) {
    UChar32 code_point = 0;
    U8_NEXT(data, offset, length, code_point);
  }
  // Appended piece by piece: GCC 12 at -O3 misreads a literal-plus-temporary
  // concatenation as an overlapping copy.
  std::string quoted = "\"";
  if (static_cast<std::size_t>(offset) == text.size()) {
    quoted += text;
    quoted += '"';
    return quoted;
  }
  quoted += text.substr(0, static_cast<std::size_t>(offset));
  quoted += "…\" (";
  quoted += std::to_string(CodePointCount(text));
  quoted += " characters)";
  return quoted;
}

std::string_view WithoutByteOrderMark(std::string_view text) noexcept {
  constexpr std::string_view kBom = "\xEF\xBB\xBF";
  if (text.substr(0, kBom.size()) == kBom) text.remove_prefix(kBom.size());
  return text;
}

}  // namespace xkdtazv::cli
