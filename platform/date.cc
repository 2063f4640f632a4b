#include "platform/date.h"

namespace xkdtazv::detail {
namespace {

bool TwoDigits(std::string_view text, std::size_t pos, int& value) {
  const char tens = text[pos];
  const char ones = text[pos + 1];
  if (tens < '0' || tens > '9' || ones < '0' || ones > '9') return false;
  value = (tens - '0') * 10 + (ones - '0');
  return true;
}

}  // namespace

std::string FormatYymmdd(Date date) {
  const int year = static_cast<int>(date.year()) % 100;
  const unsigned parts[] = {static_cast<unsigned>(year < 0 ? -year : year),
                            static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day())};
  std::string text;
  for (unsigned part : parts) {
    text += static_cast<char>('0' + part / 10 % 10);
    text += static_cast<char>('0' + part % 10);
  }
  return text;
}

std::optional<Date> RecognizeDate(std::string_view text) {
  if (text.size() != 8 || text[2] != '.' || text[5] != '.') return std::nullopt;
  int day = 0, month = 0, year = 0;
  if (!TwoDigits(text, 0, day) || !TwoDigits(text, 3, month) || !TwoDigits(text, 6, year)) {
    return std::nullopt;
  }
  const int full_year = year >= 69 ? 1900 + year : 2000 + year;
  const Date date{std::chrono::year{full_year}, std::chrono::month{static_cast<unsigned>(month)},
                  std::chrono::day{static_cast<unsigned>(day)}};
  if (!date.ok()) return std::nullopt;
  return date;
}

long DaysBetween(Date from, Date to) {
  return (std::chrono::sys_days{to} - std::chrono::sys_days{from}).count();
}

}  // namespace xkdtazv::detail
