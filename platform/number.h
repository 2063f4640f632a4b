// The component's one number recognition and conversion. Every numeric test
// and every conversion between number and text goes through here, so a text
// that one part of the component accepts is accepted by all of them.
//
// A number is: an optional "+" or "-", then digits with at most one decimal
// mark among or before them ("12", "12,05", ",5", "-3", "7,"), with at least
// one digit. Nothing else: no blanks, no digit grouping, no exponent, no
// "NaN" or "Inf". The decimal mark is the one passed in, normally the process
// locale's (see regional.h). A number too large for a double is an overflow.
#ifndef XKDTAZV_PLATFORM_NUMBER_H_
#define XKDTAZV_PLATFORM_NUMBER_H_

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace xkdtazv::detail {

// The value of `text`, or nothing when it is no number or overflows.
std::optional<double> ParseNumber(std::string_view text, std::string_view mark);
// With the process locale's decimal mark.
bool IsNumeric(std::string_view text);

// As ParseNumber, but throws Failure: type mismatch for a text that is no
// number, overflow for one beyond the range of a double.
double ToNumber(std::string_view text, std::string_view mark);
double ToNumber(std::string_view text);
// The number rounded to the nearest integer (a half to the even neighbour);
// overflow outside -32768..32767.
std::int16_t ToInt16(std::string_view text);
// Overflow outside -32768..32767.
std::int16_t CheckedInt16(std::int64_t value);

// True for a non-empty text of ASCII digits only.
bool IsDigits(std::string_view text);

// An integral value as plain decimal digits, "-" in front when negative, "0"
// for zero of either sign.
std::string FormatInteger(double integral_value);
// A value with at most 15 significant digits, without trailing zeros, without
// grouping and without an exponent; `mark` only when it has a fraction.
std::string FormatNumber(double value, std::string_view mark);

}  // namespace xkdtazv::detail

#endif  // XKDTAZV_PLATFORM_NUMBER_H_
