#include "platform/text.h"

#include <unicode/uchar.h>

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace xkdtazv::detail {
namespace {

bool IsContinuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

// Length of the valid sequence at `pos`, or 0 when the byte there starts none.
std::size_t ValidSequenceLength(std::string_view bytes, std::size_t pos, char32_t& code_point) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(bytes[pos + i]); };
  const unsigned char lead = byte(0);
  std::size_t length = 0;
  char32_t min = 0;
  if (lead < 0x80) {
    code_point = lead;
    return 1;
  } else if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2, min = 0x80, code_point = lead & 0x1F;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3, min = 0x800, code_point = lead & 0x0F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4, min = 0x10000, code_point = lead & 0x07;
  } else {
    return 0;
  }
  if (pos + length > bytes.size()) return 0;
  for (std::size_t i = 1; i < length; ++i) {
    if (!IsContinuation(byte(i))) return 0;
    code_point = (code_point << 6) | (byte(i) & 0x3F);
  }
  const bool surrogate = code_point >= 0xD800 && code_point <= 0xDFFF;
  if (code_point < min || code_point > 0x10FFFF || surrogate) return 0;
  return length;
}

template <typename Sink>
void ForEachCodePoint(std::string_view bytes, Sink&& sink) {
  std::size_t pos = 0;
  while (pos < bytes.size()) {
    char32_t code_point = 0;
    const std::size_t length = ValidSequenceLength(bytes, pos, code_point);
    if (length == 0) {
      sink(kReplacementCharacter, pos, std::size_t{1});
      ++pos;
    } else {
      sink(code_point, pos, length);
      pos += length;
    }
  }
}

}  // namespace

char32_t DecodeNext(std::string_view bytes, std::size_t& pos) {
  char32_t code_point = 0;
  const std::size_t length = ValidSequenceLength(bytes, pos, code_point);
  pos += length == 0 ? 1 : length;
  return length == 0 ? kReplacementCharacter : code_point;
}

void AppendUtf8(char32_t cp, std::string& out) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

std::u32string DecodeUtf8(std::string_view bytes) {
  std::u32string text;
  text.reserve(bytes.size());
  ForEachCodePoint(bytes, [&](char32_t cp, std::size_t, std::size_t) { text += cp; });
  return text;
}

std::string EncodeUtf8(std::u32string_view text) {
  std::string out;
  out.reserve(text.size());
  for (char32_t cp : text) {
    const bool valid = cp <= 0x10FFFF && !(cp >= 0xD800 && cp <= 0xDFFF);
    AppendUtf8(valid ? cp : kReplacementCharacter, out);
  }
  return out;
}

bool IsAscii(std::string_view bytes) {
  // Eight bytes at a time: any high bit set means a byte outside ASCII.
  constexpr std::uint64_t kHighBits = 0x8080808080808080ull;
  std::size_t pos = 0;
  for (; pos + 8 <= bytes.size(); pos += 8) {
    std::uint64_t word = 0;
    std::memcpy(&word, bytes.data() + pos, sizeof word);
    if ((word & kHighBits) != 0) return false;
  }
  for (; pos < bytes.size(); ++pos) {
    if (static_cast<unsigned char>(bytes[pos]) >= 0x80) return false;
  }
  return true;
}

bool IsValidUtf8(std::string_view bytes) {
  std::size_t pos = 0;
  while (pos < bytes.size()) {
    if (static_cast<unsigned char>(bytes[pos]) < 0x80) {
      ++pos;
      continue;
    }
    char32_t code_point = 0;
    const std::size_t length = ValidSequenceLength(bytes, pos, code_point);
    if (length == 0) return false;
    pos += length;
  }
  return true;
}

std::string SanitizeUtf8(std::string_view bytes) {
  if (IsValidUtf8(bytes)) return std::string(bytes);
  std::string out;
  out.reserve(bytes.size());
  ForEachCodePoint(bytes, [&](char32_t cp, std::size_t pos, std::size_t length) {
    if (cp == kReplacementCharacter && length == 1) {
      AppendUtf8(cp, out);
    } else {
      out.append(bytes.substr(pos, length));
    }
  });
  return out;
}

std::size_t CountCodePoints(std::string_view utf8) {
  std::size_t count = 0;
  for (char c : utf8) count += IsContinuation(static_cast<unsigned char>(c)) ? 0 : 1;
  return count;
}

std::string_view FirstCodePoints(std::string_view utf8, std::size_t count) {
  std::size_t seen = 0;
  for (std::size_t pos = 0; pos < utf8.size(); ++pos) {
    if (!IsContinuation(static_cast<unsigned char>(utf8[pos]))) {
      if (seen == count) return utf8.substr(0, pos);
      ++seen;
    }
  }
  return utf8;
}

std::string ToUpper(std::string_view utf8) {
  std::string out;
  if (IsAscii(utf8)) {  // the common case: a byte is a character
    out.resize(utf8.size());
    std::transform(utf8.begin(), utf8.end(), out.begin(), [](char c) {
      return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
    });
    return out;
  }
  out.reserve(utf8.size());
  ForEachCodePoint(utf8, [&](char32_t cp, std::size_t, std::size_t) {
    if (cp < 0x80) {  // in ASCII only a to z have a capital
      out += static_cast<char>(cp >= U'a' && cp <= U'z' ? cp - (U'a' - U'A') : cp);
      return;
    }
    AppendUtf8(static_cast<char32_t>(u_toupper(static_cast<UChar32>(cp))), out);
  });
  return out;
}

}  // namespace xkdtazv::detail
