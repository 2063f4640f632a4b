// Windows-1252, the single-byte code page of the DTAZV file.
#ifndef XKDTAZV_PLATFORM_ENCODING_H_
#define XKDTAZV_PLATFORM_ENCODING_H_

#include <array>
#include <string>
#include <string_view>

namespace xkdtazv::detail {

// Encodes UTF-8 text into Windows-1252. It reads the code page's upper half
// from the system's converter once, when it is made, so that one run can
// encode many texts with it.
class Windows1252Encoder {
 public:
  Windows1252Encoder();
  // The byte for one code point; "?" for one that Windows-1252 cannot hold.
  char Encode(char32_t code_point) const;
  // Appends one byte per code point of `utf8` to `out`.
  void Append(std::string_view utf8, std::string& out) const;
  // Writes one byte per code point of `utf8` from `out` on; returns the end.
  char* Write(std::string_view utf8, char* out) const;

 private:
  std::array<char32_t, 128> upper_half_{};
};

// One byte per code point; "?" for a code point that Windows-1252 cannot hold.
std::string ToWindows1252(std::string_view utf8);
// UTF-8; U+FFFD for the five bytes that Windows-1252 leaves undefined.
std::string FromWindows1252(std::string_view bytes);

}  // namespace xkdtazv::detail

#endif  // XKDTAZV_PLATFORM_ENCODING_H_
