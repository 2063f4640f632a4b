#include "test_support.h"

#include <locale.h>

#include <cstdlib>
#include <memory>

namespace xkdtazv::testing {

ScopedLocale::ScopedLocale(const std::string& name) {
  if (const char* value = std::getenv("LC_ALL")) previous_ = value;
  ::setenv("LC_ALL", name.c_str(), 1);
}

ScopedLocale::~ScopedLocale() {
  if (previous_) {
    ::setenv("LC_ALL", previous_->c_str(), 1);
  } else {
    ::unsetenv("LC_ALL");
  }
}

bool LocaleInstalled(const std::string& name) {
  locale_t locale = ::newlocale(LC_ALL_MASK, name.c_str(), static_cast<locale_t>(nullptr));
  if (locale == static_cast<locale_t>(nullptr)) return false;
  ::freelocale(locale);
  return true;
}

std::ostream& operator<<(std::ostream& out, const LocaleCase& locale) {
  return out << locale.name << " (mark \"" << locale.mark << "\")";
}

const LocaleCase& CommaLocale() {
  static const LocaleCase locale{"de_DE.UTF-8", ","};
  return locale;
}

const LocaleCase& PointLocale() {
  static const LocaleCase locale{"C.UTF-8", "."};
  return locale;
}

std::vector<LocaleCase> BothLocales() { return {CommaLocale(), PointLocale()}; }

void LocaleTest::SetUp() {
  ASSERT_TRUE(LocaleInstalled(GetParam().name))
      << GetParam().name << " is not installed; generate it with: localedef -i de_DE -f UTF-8 "
      << "de_DE.UTF-8";
  locale_.emplace(GetParam().name);
}

void LocaleTest::TearDown() { locale_.reset(); }

std::string LocaleCaseName(const ::testing::TestParamInfo<LocaleCase>& info) {
  std::string name = info.param.name;
  for (char& c : name) {
    const bool alnum = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
    if (!alnum) c = '_';
  }
  return name;
}

std::string WithMark(std::string_view text, const std::string& mark) {
  std::string out;
  for (char c : text) {
    if (c == ',') {
      out += mark;
    } else {
      out += c;
    }
  }
  return out;
}

std::vector<std::string> HostileTexts() {
  return {
      "",
      std::string(100000, 'x'),
      std::string(100000, '\xFF'),
      "a\xC3\x28\xE2\x82",
      std::string("\0\0\0", 3),
      "\x01\x02\r\n\t\x7F",
      "\xC3\xA4\xC3\xB6\xC3\xBC\xC3\x9F",
      "\xE4\xB8\xAD\xF0\x9F\x98\x80\xE2\x82\xAC",
  };
}

TodayFunction FixedToday(std::chrono::year_month_day today) {
  return [today] { return today; };
}

TodayFunction SequenceToday(std::vector<std::chrono::year_month_day> dates) {
  auto next = std::make_shared<std::size_t>(0);
  return [dates = std::move(dates), next] {
    const std::size_t index = *next < dates.size() ? (*next)++ : dates.size() - 1;
    return dates[index];
  };
}

}  // namespace xkdtazv::testing
