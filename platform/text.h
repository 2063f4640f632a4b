// Text helpers. The component's text is UTF-8; a character is a Unicode code
// point, and every length, position and cut counts code points.
#ifndef XKDTAZV_PLATFORM_TEXT_H_
#define XKDTAZV_PLATFORM_TEXT_H_

#include <cstddef>
#include <string>
#include <string_view>

namespace xkdtazv::detail {

inline constexpr char32_t kReplacementCharacter = U'\uFFFD';

// Decodes UTF-8; each byte that is not part of a valid sequence becomes U+FFFD.
std::u32string DecodeUtf8(std::string_view bytes);
std::string EncodeUtf8(std::u32string_view text);
// The code point that starts at `pos`, advancing `pos` past it; U+FFFD and one
// byte for a byte that starts no valid sequence. `pos` must lie inside `bytes`.
char32_t DecodeNext(std::string_view bytes, std::size_t& pos);
void AppendUtf8(char32_t code_point, std::string& out);

// True when every byte is ASCII: then one byte is one character.
bool IsAscii(std::string_view bytes);
// True when the bytes are valid UTF-8 throughout.
bool IsValidUtf8(std::string_view bytes);

// The same text with every invalid byte replaced by U+FFFD; valid input is
// returned unchanged.
std::string SanitizeUtf8(std::string_view bytes);

// Code points of a valid UTF-8 text.
std::size_t CountCodePoints(std::string_view utf8);
// The first `count` code points of a valid UTF-8 text (all of it when shorter).
std::string_view FirstCodePoints(std::string_view utf8, std::size_t count);

// Upper case by Unicode simple case mapping, code point by code point: ä
// becomes Ä, ß stays ß, everything that is not a lower-case letter stays.
std::string ToUpper(std::string_view utf8);

}  // namespace xkdtazv::detail

#endif  // XKDTAZV_PLATFORM_TEXT_H_
