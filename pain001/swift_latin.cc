#include "pain001/swift_latin.h"

#include <unicode/translit.h>
#include <unicode/unistr.h>
#include <unicode/utypes.h>

#include <string_view>

#include "xkdtazv/failure.h"

namespace xkdtazv::pain001 {
namespace {

// German letters first, as German readers expect them; then everything else.
constexpr char16_t kRules[] =
    u"Ä } [[:Ll:]-[ß]] > Ae; Ö } [[:Ll:]-[ß]] > Oe; Ü } [[:Ll:]-[ß]] > Ue; Ä > AE; Ö > OE; Ü > UE;"
    u"ä > ae; ö > oe; ü > ue;"
    u"[:Lu:] { ß > SS; ß } [:Lu:] > SS; ß > ss; ẞ > SS;"
    u"::Any-Latin; ::Latin-ASCII;";

}  // namespace

SwiftLatin::SwiftLatin() = default;

const icu::Transliterator& SwiftLatin::Transliterator() const {
  if (transliterator_) return *transliterator_;
  UErrorCode status = U_ZERO_ERROR;
  UParseError parse_error{};
  transliterator_.reset(icu::Transliterator::createFromRules(
      "xkdtazv-SwiftLatin", icu::UnicodeString(kRules), UTRANS_FORWARD, parse_error, status));
  if (U_FAILURE(status) || !transliterator_) {
    throw Failure(FailureCode::kInternal, "ICU-Transliteration nicht verfuegbar");
  }
  return *transliterator_;
}

SwiftLatin::~SwiftLatin() = default;

std::string SwiftLatin::Transliterate(std::string_view utf8) const {
  icu::UnicodeString text = icu::UnicodeString::fromUTF8(
      icu::StringPiece(utf8.data(), static_cast<std::int32_t>(utf8.size())));
  Transliterator().transliterate(text);
  std::string converted;
  text.toUTF8String(converted);
  return converted;
}

LatinText SwiftLatin::Convert(std::string_view utf8) const {
  LatinText result;
  bool plain = true;
  for (const char c : utf8) plain = plain && InSet(c);
  if (plain) {
    result.text = std::string(utf8);
    return result;
  }
  const std::string converted = Transliterate(utf8);
  for (const char c : converted) {
    if (InSet(c)) {
      result.text += c;
    } else if (c == '&') {
      result.text += '+';
      result.replaced_ampersand = true;
    } else {
      result.outside += c;  // bytes of whatever is left, whole characters in order
    }
  }
  return result;
}

}  // namespace xkdtazv::pain001
