#include "field/codes.h"

#include "platform/number.h"
#include "xkdtazv/failure.h"

namespace xkdtazv::detail {

std::string CodeText(std::int32_t value) { return std::to_string(CheckedInt16(value)); }

std::int32_t CodeValue(std::string_view stored) {
  if (stored.empty()) throw Failure(FailureCode::kTypeMismatch);
  return ToInt16(stored);
}

std::string CountryCode(std::int32_t value) {
  const std::int16_t position = CheckedInt16(value);
  if (position < 0) throw Failure(FailureCode::kInvalidArgument);
  if (position == 0) return "";
  const auto start = static_cast<std::size_t>(position - 1);
  if (start >= kCountryList.size()) return "";
  return std::string(kCountryList.substr(start, 2));
}

std::int32_t CountryValue(std::string_view code) {
  if (code.empty()) return 0;
  const std::size_t found = kCountryList.find(code);
  return found == std::string_view::npos ? 0 : static_cast<std::int32_t>(found + 1);
}

bool OccursIn(std::string_view list, std::string_view text) {
  return list.find(text) != std::string_view::npos;
}

}  // namespace xkdtazv::detail
