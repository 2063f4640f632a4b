#include "platform/number.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <system_error>

#include "platform/regional.h"
#include "xkdtazv/failure.h"

namespace xkdtazv::detail {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

enum class Recognition { kNumber, kNotANumber, kOverflow };

// Up to fifteen digits are an integer that a double holds exactly, as
// std::from_chars would give it: amounts are mostly such.
constexpr std::size_t kExactDigits = 15;

Recognition Recognize(std::string_view text, std::string_view mark, double& value) {
  if (!text.empty() && text.size() <= kExactDigits && IsDigits(text)) {
    std::int64_t integer = 0;
    for (const char c : text) integer = integer * 10 + (c - '0');
    value = static_cast<double>(integer);
    return Recognition::kNumber;
  }
  std::string plain;  // the number in the form std::from_chars reads
  plain.reserve(text.size());
  std::size_t pos = 0;
  if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
    if (text[pos] == '-') plain += '-';
    ++pos;
  }
  bool digits = false;
  bool seen_mark = false;
  while (pos < text.size()) {
    if (IsDigit(text[pos])) {
      plain += text[pos++];
      digits = true;
    } else if (!seen_mark && !mark.empty() && text.substr(pos, mark.size()) == mark) {
      plain += '.';
      pos += mark.size();
      seen_mark = true;
    } else {
      return Recognition::kNotANumber;
    }
  }
  if (!digits) return Recognition::kNotANumber;
  const char* first = plain.data();
  const char* last = plain.data() + plain.size();
  const auto [end, error] = std::from_chars(first, last, value, std::chars_format::fixed);
  if (error == std::errc::result_out_of_range) {
    // from_chars also reports underflow this way; only a value with a non-zero
    // integer part is too large.
    const std::string_view integer_part = std::string_view(plain).substr(0, plain.find('.'));
    if (integer_part.find_first_of("123456789") != std::string_view::npos) {
      return Recognition::kOverflow;
    }
    value = 0.0;
    return Recognition::kNumber;
  }
  if (error != std::errc() || end != last || !std::isfinite(value)) {
    return Recognition::kOverflow;
  }
  return Recognition::kNumber;
}

}  // namespace

std::optional<double> ParseNumber(std::string_view text, std::string_view mark) {
  double value = 0.0;
  if (Recognize(text, mark, value) != Recognition::kNumber) return std::nullopt;
  return value;
}

bool IsNumeric(std::string_view text) { return ParseNumber(text, DecimalMark()).has_value(); }

double ToNumber(std::string_view text, std::string_view mark) {
  double value = 0.0;
  switch (Recognize(text, mark, value)) {
    case Recognition::kNumber:
      return value;
    case Recognition::kOverflow:
      throw Failure(FailureCode::kOverflow);
    case Recognition::kNotANumber:
      break;
  }
  throw Failure(FailureCode::kTypeMismatch);
}

double ToNumber(std::string_view text) { return ToNumber(text, DecimalMark()); }

std::int16_t CheckedInt16(std::int64_t value) {
  if (value < std::numeric_limits<std::int16_t>::min() ||
      value > std::numeric_limits<std::int16_t>::max()) {
    throw Failure(FailureCode::kOverflow);
  }
  return static_cast<std::int16_t>(value);
}

std::int16_t ToInt16(std::string_view text) {
  const double rounded = std::nearbyint(ToNumber(text));  // ties to even
  if (!(rounded >= -32768.0 && rounded <= 32767.0)) throw Failure(FailureCode::kOverflow);
  return static_cast<std::int16_t>(rounded);
}

bool IsDigits(std::string_view text) {
  if (text.empty()) return false;
  for (char c : text) {
    if (!IsDigit(c)) return false;
  }
  return true;
}

std::string FormatInteger(double integral_value) {
  if (integral_value == 0.0 || !std::isfinite(integral_value)) return "0";
  char buffer[400];
  const auto result =
      std::to_chars(buffer, buffer + sizeof buffer, integral_value, std::chars_format::fixed, 0);
  return std::string(buffer, result.ptr);
}

std::string FormatNumber(double value, std::string_view mark) {
  if (value == 0.0 || !std::isfinite(value)) return "0";
  // Fifteen significant digits in scientific form, then written out in place.
  char buffer[64];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value),
                                    std::chars_format::scientific, 14);
  const std::string_view sci(buffer, static_cast<std::size_t>(result.ptr - buffer));
  const std::size_t e = sci.find('e');
  std::string digits;
  for (char c : sci.substr(0, e)) {
    if (IsDigit(c)) digits += c;
  }
  int exponent = 0;
  std::from_chars(sci.data() + e + 1 + (sci[e + 1] == '+' ? 1 : 0), sci.data() + sci.size(),
                  exponent);
  while (digits.size() > 1 && digits.back() == '0') digits.pop_back();

  std::string integer_part;
  std::string fraction;
  const int point = exponent + 1;  // digits before the decimal mark
  if (point <= 0) {
    integer_part = "0";
    fraction = std::string(static_cast<std::size_t>(-point), '0') + digits;
  } else if (static_cast<std::size_t>(point) >= digits.size()) {
    integer_part = digits + std::string(static_cast<std::size_t>(point) - digits.size(), '0');
  } else {
    integer_part = digits.substr(0, static_cast<std::size_t>(point));
    fraction = digits.substr(static_cast<std::size_t>(point));
  }
  std::string text = value < 0 ? "-" : "";
  text += integer_part;
  if (!fraction.empty()) {
    text += mark;
    text += fraction;
  }
  return text;
}

}  // namespace xkdtazv::detail
