// Each byte of a DTAZV file as the reports show it (see
// AppendPrintableWindows1252), looked up rather than decided byte by byte:
// every form is at most four bytes ("\x0A", or a character's UTF-8), so each
// is copied whole and the write moves on by its length.
//
//   const ShownBytes shown(MakeWindows1252Table());
//   end = shown.Put(field, at);  // `at` has room for ShownBytes::Room(field.size())
#ifndef XKDTAZV_INSPECT_SHOWN_BYTES_H_
#define XKDTAZV_INSPECT_SHOWN_BYTES_H_

#include <array>
#include <cstddef>
#include <cstring>
#include <string_view>

#include "reader/text_encoding.h"

namespace xkdtazv::cli {

class ShownBytes {
 public:
  explicit ShownBytes(const Windows1252Table& table);

  // The room `size` bytes may take once shown.
  static constexpr std::size_t Room(std::size_t size) noexcept { return kLongest * size; }

  // Writes `bytes` from `at` and returns the end of what it wrote; may write
  // up to Room(bytes.size()) bytes beyond `at`.
  char* Put(std::string_view bytes, char* at) const noexcept {
    for (const char byte : bytes) {
      const Form& form = forms_[static_cast<unsigned char>(byte)];
      std::memcpy(at, form.bytes.data(), kLongest);
      at += form.length;
    }
    return at;
  }

 private:
  static constexpr std::size_t kLongest = 4;

  struct Form {
    std::array<char, kLongest> bytes{};
    std::size_t length = 0;
  };

  std::array<Form, 256> forms_;
};

}  // namespace xkdtazv::cli

#endif  // XKDTAZV_INSPECT_SHOWN_BYTES_H_
