// Dates as DTAZV writes them: six digits, year, month, day (JJMMTT).
//
//   if (auto date = ParseShortDate("240115")) days = DaysBetween(*created, *date);
#ifndef XKDTAZV_INSPECT_SHORT_DATE_H_
#define XKDTAZV_INSPECT_SHORT_DATE_H_

#include <chrono>
#include <optional>
#include <string_view>

namespace xkdtazv::cli {

// The calendar date of a JJMMTT text; nullopt unless it is six digits that
// name a real date. Two-digit years 00 to 79 are 2000 to 2079, 80 to 99 are
// 1980 to 1999.
std::optional<std::chrono::sys_days> ParseShortDate(std::string_view jjmmtt) noexcept;

// Whole days from `from` to `to`; negative when `to` lies before `from`.
long DaysBetween(std::chrono::sys_days from, std::chrono::sys_days to) noexcept;

}  // namespace xkdtazv::cli

#endif  // XKDTAZV_INSPECT_SHORT_DATE_H_
