// Windows-1252, the single-byte code page of the DTAZV file.
#ifndef XKDTAZV_PLATFORM_ENCODING_H_
#define XKDTAZV_PLATFORM_ENCODING_H_

#include <string>
#include <string_view>

namespace xkdtazv::detail {

// One byte per code point; "?" for a code point that Windows-1252 cannot hold.
std::string ToWindows1252(std::string_view utf8);
// UTF-8; U+FFFD for the five bytes that Windows-1252 leaves undefined.
std::string FromWindows1252(std::string_view bytes);

}  // namespace xkdtazv::detail

#endif  // XKDTAZV_PLATFORM_ENCODING_H_
