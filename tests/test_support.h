// Shared helpers of the test program: a scoped process locale, the two
// locales every locale-dependent test runs in, and a clock that stands still.
//
//   TEST_P(AmountTest, Splits) { ... }   // fixture LocaleTest sets LC_ALL
//   xkdtazv::MeineInfo sender(xkdtazv::testing::FixedToday(2024y / 1 / 15));
#ifndef XKDTAZV_TESTS_TEST_SUPPORT_H_
#define XKDTAZV_TESTS_TEST_SUPPORT_H_

#include <gtest/gtest.h>

#include <chrono>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "xkdtazv/meine_info.h"

namespace xkdtazv::testing {

// Sets LC_ALL for its lifetime; the previous value (or its absence) comes back
// at the end. The component reads the locale at each call, so nothing else is
// needed.
class ScopedLocale {
 public:
  explicit ScopedLocale(const std::string& name);
  ~ScopedLocale();
  ScopedLocale(const ScopedLocale&) = delete;
  ScopedLocale& operator=(const ScopedLocale&) = delete;

 private:
  std::optional<std::string> previous_;
};

// True when the system has the locale (a missing one falls back to C).
bool LocaleInstalled(const std::string& name);

struct LocaleCase {
  std::string name;  // the LC_ALL value
  std::string mark;  // its decimal mark
};
std::ostream& operator<<(std::ostream& out, const LocaleCase& locale);

// The "," locale and the "." locale.
const LocaleCase& CommaLocale();
const LocaleCase& PointLocale();
std::vector<LocaleCase> BothLocales();

// Runs each test in the locale of its parameter; fails at once with a hint
// when the locale is not installed.
class LocaleTest : public ::testing::TestWithParam<LocaleCase> {
 protected:
  void SetUp() override;
  void TearDown() override;
  const std::string& mark() const { return GetParam().mark; }

 private:
  std::optional<ScopedLocale> locale_;
};

// Names parameterised cases after the locale: "de_DE_UTF_8", "C_UTF_8".
std::string LocaleCaseName(const ::testing::TestParamInfo<LocaleCase>& info);

// `text` with every "," replaced by `mark`, so one table of amounts serves
// both locales.
std::string WithMark(std::string_view text, const std::string& mark);

// Texts no property may choke on: empty, 100,000 characters, invalid UTF-8,
// NUL bytes, control characters, umlauts and characters beyond Windows-1252.
std::vector<std::string> HostileTexts();

// A clock that always answers `today`.
TodayFunction FixedToday(std::chrono::year_month_day today);
// A clock that answers the given dates one after the other, the last one
// from then on.
TodayFunction SequenceToday(std::vector<std::chrono::year_month_day> dates);

}  // namespace xkdtazv::testing

#endif  // XKDTAZV_TESTS_TEST_SUPPORT_H_
