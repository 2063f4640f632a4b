#include "inspect/short_date.h"

namespace xkdtazv::cli {
namespace {

constexpr int kFirstYearOfLastCentury = 80;

std::optional<int> TwoDigits(std::string_view text) noexcept {
  if (text.size() != 2 || text[0] < '0' || text[0] > '9' || text[1] < '0' || text[1] > '9') {
    return std::nullopt;
  }
  return (text[0] - '0') * 10 + (text[1] - '0');
}

}  // namespace

std::optional<std::chrono::sys_days> ParseShortDate(std::string_view jjmmtt) noexcept {
  if (jjmmtt.size() != 6) return std::nullopt;
  const auto year = TwoDigits(jjmmtt.substr(0, 2));
  const auto month = TwoDigits(jjmmtt.substr(2, 2));
  const auto day = TwoDigits(jjmmtt.substr(4, 2));
  if (!year || !month || !day) return std::nullopt;
  const int full_year = *year + (*year >= kFirstYearOfLastCentury ? 1900 : 2000);
  const std::chrono::year_month_day date{std::chrono::year{full_year},
                                         std::chrono::month{static_cast<unsigned>(*month)},
                                         std::chrono::day{static_cast<unsigned>(*day)}};
  if (!date.ok()) return std::nullopt;
  return std::chrono::sys_days{date};
}

long DaysBetween(std::chrono::sys_days from, std::chrono::sys_days to) noexcept {
  return static_cast<long>((to - from).count());
}

}  // namespace xkdtazv::cli
