// Conversions between the coded items of a payment and their field texts.
#ifndef XKDTAZV_FIELD_CODES_H_
#define XKDTAZV_FIELD_CODES_H_

#include <cstdint>
#include <string>
#include <string_view>

#include "xkdtazv/codes.h"

namespace xkdtazv::detail {

// A payment kind or instruction code as its shortest decimal text ("4" for
// HOLD, rendered "04" by the field). Throws Failure (overflow) outside the
// 16-bit range.
std::string CodeText(std::int32_t value);
// Back from the stored text. Throws Failure: type mismatch for a field that
// was never set, overflow outside the 16-bit range.
std::int32_t CodeValue(std::string_view stored);

// The two characters of kCountryList that begin at position `value` (fewer
// near its end, none beyond it); the empty code for NONE. Throws Failure:
// overflow outside the 16-bit range, invalid argument for a negative value.
std::string CountryCode(std::int32_t value);
// The 1-based position of the first occurrence of `code` in kCountryList;
// 0 (NONE) for the empty code and for a code that does not occur.
std::int32_t CountryValue(std::string_view code);

// A text occurs in a list when it stands anywhere in it, case significant.
bool OccursIn(std::string_view list, std::string_view text);

}  // namespace xkdtazv::detail

#endif  // XKDTAZV_FIELD_CODES_H_
