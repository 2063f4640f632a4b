#include "platform/date.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace xkdtazv::detail {
namespace {

using namespace std::chrono;

TEST(FormatYymmdd, WritesTwoDigitsEach) {
  EXPECT_EQ(FormatYymmdd(2024y / January / 15d), "240115");
  EXPECT_EQ(FormatYymmdd(2000y / February / 29d), "000229");
  EXPECT_EQ(FormatYymmdd(1999y / December / 31d), "991231");
  EXPECT_EQ(FormatYymmdd(2068y / July / 1d), "680701");
  EXPECT_EQ(FormatYymmdd(2105y / October / 9d), "051009");
}

struct DateCase {
  const char* text;
  std::optional<year_month_day> date;
};

TEST(RecognizeDate, ReadsRealCalendarDatesInThePosixCenturyWindow) {
  const DateCase cases[] = {
      {"15.01.24", 2024y / January / 15d},
      {"01.01.00", 2000y / January / 1d},
      {"31.12.68", 2068y / December / 31d},
      {"01.01.69", 1969y / January / 1d},
      {"31.12.99", 1999y / December / 31d},
      {"01.01.29", 2029y / January / 1d},
      {"01.01.30", 2030y / January / 1d},
      {"29.02.00", 2000y / February / 29d},
      {"29.02.24", 2024y / February / 29d},
      {"29.02.72", 1972y / February / 29d},
      {"29.02.23", std::nullopt},
      {"29.02.69", std::nullopt},
      {"31.04.24", std::nullopt},
      {"00.01.24", std::nullopt},
      {"01.00.24", std::nullopt},
      {"01.13.24", std::nullopt},
      {"32.01.24", std::nullopt},
      {"13.32.24", std::nullopt},  // no other reading of the parts
      {"24.01.15", 2015y / January / 24d},
      {"..", std::nullopt},
      {"", std::nullopt},
      {"1.1.24", std::nullopt},
      {"15-01-24", std::nullopt},
      {"15.01.2024", std::nullopt},
      {"AB.CD.EF", std::nullopt},
      {"+1.01.24", std::nullopt},
      {" 1.01.24", std::nullopt},
      {"15.01.2", std::nullopt},
      {"\xC3\xA4"
       "5.01.24",
       std::nullopt},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(RecognizeDate(c.text), c.date);
  }
}

TEST(DaysBetween, CountsCalendarDays) {
  EXPECT_EQ(DaysBetween(2024y / January / 1d, 2024y / January / 16d), 15);
  EXPECT_EQ(DaysBetween(2024y / January / 16d, 2024y / January / 1d), -15);
  EXPECT_EQ(DaysBetween(2024y / February / 28d, 2024y / March / 1d), 2);
  EXPECT_EQ(DaysBetween(2023y / February / 28d, 2023y / March / 1d), 1);
  EXPECT_EQ(DaysBetween(1999y / December / 31d, 2000y / January / 1d), 1);
  EXPECT_EQ(DaysBetween(2024y / May / 5d, 2024y / May / 5d), 0);
}

}  // namespace
}  // namespace xkdtazv::detail
