// Brings texts into the SWIFT Latin character set that cross-border payments
// travel in: a-z A-Z 0-9 / - ? : ( ) . , ' + and the blank. German umlauts and
// ß become AE, OE, UE, SS; other scripts and accented letters go through ICU's
// Any-Latin and Latin-ASCII transliterators. Build one per run: ICU compiles
// the rules once, when the first text outside the set comes.
//
//   SwiftLatin latin;
//   latin.Convert("Größl Holzwerke");   // {"Groessl Holzwerke", ""}
//   latin.Convert("Zürich ½");          // {.., "½"}: what stays outside the set
#ifndef XKDTAZV_PAIN001_SWIFT_LATIN_H_
#define XKDTAZV_PAIN001_SWIFT_LATIN_H_

#include <array>
#include <memory>
#include <string>
#include <string_view>

#include <unicode/uversion.h>

U_NAMESPACE_BEGIN
class Transliterator;
U_NAMESPACE_END

namespace xkdtazv::pain001 {

struct LatinText {
  std::string text;                 // the text in the set, where it could be brought into it
  std::string outside;              // the characters that stayed outside the set; empty when none
  bool replaced_ampersand = false;  // "&" became "+", as the banks' own rules allow
};

class SwiftLatin {
 public:
  SwiftLatin();
  ~SwiftLatin();
  SwiftLatin(const SwiftLatin&) = delete;
  SwiftLatin& operator=(const SwiftLatin&) = delete;

  // Throws Failure when ICU cannot build its transliterator.
  LatinText Convert(std::string_view utf8) const;

  static bool InSet(char c) noexcept { return kSet[static_cast<unsigned char>(c)]; }

  // The text after ICU's transliteration alone, before anything is filtered:
  // for character sets other than SWIFT Latin built on the same rules.
  std::string Transliterate(std::string_view utf8) const;

 private:
  // Every text is checked byte by byte: by a table.
  static constexpr std::array<bool, 256> kSet = [] {
    std::array<bool, 256> set{};
    for (char c = 'a'; c <= 'z'; ++c) set[static_cast<unsigned char>(c)] = true;
    for (char c = 'A'; c <= 'Z'; ++c) set[static_cast<unsigned char>(c)] = true;
    for (char c = '0'; c <= '9'; ++c) set[static_cast<unsigned char>(c)] = true;
    for (const char c : std::string_view("/-?:().,'+ ")) set[static_cast<unsigned char>(c)] = true;
    return set;
  }();

  const icu::Transliterator& Transliterator() const;

  mutable std::unique_ptr<icu::Transliterator> transliterator_;
};

}  // namespace xkdtazv::pain001

#endif  // XKDTAZV_PAIN001_SWIFT_LATIN_H_
