// Dates: recognition of day-month-year texts and the "yymmdd" form.
#ifndef XKDTAZV_PLATFORM_DATE_H_
#define XKDTAZV_PLATFORM_DATE_H_

#include <chrono>
#include <optional>
#include <string>
#include <string_view>

namespace xkdtazv::detail {

using Date = std::chrono::year_month_day;

// "yymmdd", digits only: 15 January 2024 gives "240115".
std::string FormatYymmdd(Date date);

// Reads "TT.MM.JJ": two digits each, full stops between, a real calendar date
// in day, month, year order. Two-digit years follow the POSIX window: 69 to 99
// are 1969 to 1999, 00 to 68 are 2000 to 2068.
std::optional<Date> RecognizeDate(std::string_view day_month_year);

// Days from `from` to `to` (negative when `to` lies before `from`).
long DaysBetween(Date from, Date to);

}  // namespace xkdtazv::detail

#endif  // XKDTAZV_PLATFORM_DATE_H_
