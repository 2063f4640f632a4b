#include "field/codes.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>

#include "test_support.h"
#include "xkdtazv/codes.h"
#include "xkdtazv/failure.h"

namespace xkdtazv::detail {
namespace {

using ::xkdtazv::testing::LocaleTest;

constexpr std::int32_t kInt32Min = std::numeric_limits<std::int32_t>::min();
constexpr std::int32_t kInt32Max = std::numeric_limits<std::int32_t>::max();

template <typename Call>
FailureCode FailureOf(Call&& call) {
  try {
    call();
  } catch (const Failure& failure) {
    return failure.code();
  }
  ADD_FAILURE() << "no failure";
  return FailureCode::kInternal;
}

TEST(CountryLists, HoldTheirCodesInOrder) {
  EXPECT_EQ(kCountryList.size(), 89u);
  EXPECT_EQ(kCountryList,
            "BE,DK,EE,FI,FR,GF,GI,GR,GP,IE,IT,LV,LT,LU,MT,MQ,NL,AT,PL,PT,RE,SE,SK,SI,ES,CZ,HU,GB,"
            "CY,DE");
  EXPECT_EQ(kEuCountryList.size(), 56u);
  EXPECT_EQ(kEuCountryList, "AT,BE,DK,ES,FI,FR,GB,GF,GP,GR,IE,IT,LU,MQ,NL,PT,RE,SE,DE");
}

struct CountryCase {
  LaenderCodes country;
  const char* code;
};

const CountryCase kCountries[] = {
    {LaenderCodes::NONE, ""},
    {LaenderCodes::BELGIEN, "BE"},
    {LaenderCodes::DAENEMARK, "DK"},
    {LaenderCodes::ESTLAND, "EE"},
    {LaenderCodes::FINNLAND, "FI"},
    {LaenderCodes::FRANKREICH, "FR"},
    {LaenderCodes::FRANZ_GUAYANA, "GF"},
    {LaenderCodes::GIBRALTAR, "GI"},
    {LaenderCodes::GRIECHENLAND, "GR"},
    {LaenderCodes::GUADELOUPE, "GP"},
    {LaenderCodes::IRLAND, "IE"},
    {LaenderCodes::ITALIEN, "IT"},
    {LaenderCodes::LETTLAND, "LV"},
    {LaenderCodes::LITAUEN, "LT"},
    {LaenderCodes::LUXEMBURG, "LU"},
    {LaenderCodes::MALTA, "MT"},
    {LaenderCodes::MARTINIQUE, "MQ"},
    {LaenderCodes::NIEDERLANDE, "NL"},
    {LaenderCodes::OESTERREICH, "AT"},
    {LaenderCodes::POLEN, "PL"},
    {LaenderCodes::PORTUGAL, "PT"},
    {LaenderCodes::REUNION, "RE"},
    {LaenderCodes::SCHWEDEN, "SE"},
    {LaenderCodes::SLOWAKEI, "SK"},
    {LaenderCodes::SLOWENIEN, "SI"},
    {LaenderCodes::SPANIEN, "ES"},
    {LaenderCodes::TSCHESCH_REP, "CZ"},
    {LaenderCodes::UNGARN, "HU"},
    {LaenderCodes::GROSSBRITANIEN, "GB"},
    {LaenderCodes::ZYPERN, "CY"},
    {LaenderCodes::DEUTSCHLAND, "DE"},
};

TEST(CountryCode, EveryMemberYieldsItsCodeAndBack) {
  for (const auto& c : kCountries) {
    const auto value = static_cast<std::int32_t>(c.country);
    SCOPED_TRACE(value);
    EXPECT_EQ(CountryCode(value), c.code);
    EXPECT_EQ(CountryValue(c.code), value);
  }
}

TEST(CountryCode, EveryEuMemberYieldsACodeOfTheEuList) {
  const AllowedEULaenderCodes members[] = {
      AllowedEULaenderCodes::BELGIEN,       AllowedEULaenderCodes::DAENEMARK,
      AllowedEULaenderCodes::FINNLAND,      AllowedEULaenderCodes::FRANKREICH,
      AllowedEULaenderCodes::FRANZ_GUAYANA, AllowedEULaenderCodes::GRIECHENLAND,
      AllowedEULaenderCodes::GUADELOUPE,    AllowedEULaenderCodes::IRLAND,
      AllowedEULaenderCodes::ITALIEN,       AllowedEULaenderCodes::LUXEMBURG,
      AllowedEULaenderCodes::MARTINIQUE,    AllowedEULaenderCodes::NIEDERLANDE,
      AllowedEULaenderCodes::OESTERREICH,   AllowedEULaenderCodes::PORTUGAL,
      AllowedEULaenderCodes::REUNION,       AllowedEULaenderCodes::SCHWEDEN,
      AllowedEULaenderCodes::SPANIEN,       AllowedEULaenderCodes::GROSSBRITANIEN,
      AllowedEULaenderCodes::DEUTSCHLAND,
  };
  std::string codes;
  for (AllowedEULaenderCodes member : members) {
    const auto value = static_cast<std::int32_t>(ToLaenderCode(member));
    SCOPED_TRACE(value);
    EXPECT_EQ(value, static_cast<std::int32_t>(member));
    const std::string code = CountryCode(value);
    ASSERT_EQ(code.size(), 2u);
    EXPECT_TRUE(OccursIn(kEuCountryList, code));
    codes += codes.empty() ? code : "," + code;
  }
  EXPECT_EQ(codes.size(), kEuCountryList.size());  // all nineteen, each once
  EXPECT_EQ(CountryCode(static_cast<std::int32_t>(AllowedEULaenderCodes::NONE)), "");
}

TEST(CountryCode, ValuesBetweenTheMembersYieldWhatStandsThere) {
  EXPECT_EQ(CountryCode(2), "E,");
  EXPECT_EQ(CountryCode(3), ",D");
  EXPECT_EQ(CountryCode(87), ",D");
  EXPECT_EQ(CountryCode(89), "E");
  EXPECT_EQ(CountryCode(90), "");
  EXPECT_EQ(CountryCode(100), "");
  EXPECT_EQ(CountryCode(200), "");
  EXPECT_EQ(CountryCode(32767), "");
}

TEST(CountryCode, RejectsNegativeAndOverlongValues) {
  EXPECT_EQ(FailureOf([] { CountryCode(-1); }), FailureCode::kInvalidArgument);
  EXPECT_EQ(FailureOf([] { CountryCode(-32768); }), FailureCode::kInvalidArgument);
  EXPECT_EQ(FailureOf([] { CountryCode(-32769); }), FailureCode::kOverflow);
  EXPECT_EQ(FailureOf([] { CountryCode(32768); }), FailureCode::kOverflow);
  EXPECT_EQ(FailureOf([] { CountryCode(40000); }), FailureCode::kOverflow);
  EXPECT_EQ(FailureOf([] { CountryCode(kInt32Min); }), FailureCode::kOverflow);
  EXPECT_EQ(FailureOf([] { CountryCode(kInt32Max); }), FailureCode::kOverflow);
}

TEST(CountryValue, FindsTheFirstOccurrenceCaseSensitively) {
  EXPECT_EQ(CountryValue("DE"), 88);
  EXPECT_EQ(CountryValue("BE"), 1);
  EXPECT_EQ(CountryValue(""), 0);
  EXPECT_EQ(CountryValue("de"), 0);
  EXPECT_EQ(CountryValue("US"), 0);
  EXPECT_EQ(CountryValue("E,"), 2);
  EXPECT_EQ(CountryValue("E"), 2);
  EXPECT_EQ(CountryValue(","), 3);
  EXPECT_EQ(CountryValue("BE,DK"), 1);
  EXPECT_EQ(CountryValue(std::string(100000, 'A')), 0);
}

TEST(OccursIn, LooksForTheTextAnywhereInTheList) {
  EXPECT_TRUE(OccursIn(kEuCountryList, "DE"));
  EXPECT_FALSE(OccursIn(kEuCountryList, "PL"));
  EXPECT_FALSE(OccursIn(kEuCountryList, "de"));
  EXPECT_TRUE(OccursIn(kEuCountryList, "T,B"));
}

class CodeTextTest : public LocaleTest {};

TEST_P(CodeTextTest, EveryMemberHasItsShortestDecimalText) {
  struct Case {
    std::int32_t value;
    const char* text;
  } const cases[] = {
      {static_cast<std::int32_t>(Zahlungsart::STANDARD), "0"},
      {static_cast<std::int32_t>(Zahlungsart::TELEX_SWIFT), "10"},
      {static_cast<std::int32_t>(Zahlungsart::EUE), "11"},
      {static_cast<std::int32_t>(Zahlungsart::EU_STANDART), "13"},
      {static_cast<std::int32_t>(Zahlungsart::GRENZUEBERSCHREITEND), "15"},
      {static_cast<std::int32_t>(Weisungsschluessel::BONL), "1"},
      {static_cast<std::int32_t>(Weisungsschluessel::CHQB), "2"},
      {static_cast<std::int32_t>(Weisungsschluessel::HOLD), "4"},
      {static_cast<std::int32_t>(Weisungsschluessel::PHON), "6"},
      {static_cast<std::int32_t>(Weisungsschluessel::TELE), "7"},
      {static_cast<std::int32_t>(Weisungsschluessel::PHOB), "9"},
      {static_cast<std::int32_t>(Weisungsschluessel::TELB), "10"},
      {static_cast<std::int32_t>(Weisungsschluessel::CORT), "11"},
      {static_cast<std::int32_t>(Weisungsschluessel::INTC), "12"},
      {static_cast<std::int32_t>(Weisungsschluessel::EURO_GEGENWERT), "91"},
      {2, "2"},
      {100, "100"},
      {200, "200"},
      {-1, "-1"},
      {32767, "32767"},
      {-32768, "-32768"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.value);
    EXPECT_EQ(CodeText(c.value), c.text);
    EXPECT_EQ(CodeValue(c.text), c.value);
  }
}

TEST_P(CodeTextTest, FailsOutsideSixteenBitsAndForANeverSetField) {
  for (std::int32_t value : {40000, 32768, -32769, kInt32Min, kInt32Max}) {
    SCOPED_TRACE(value);
    EXPECT_EQ(FailureOf([value] { CodeText(value); }), FailureCode::kOverflow);
  }
  EXPECT_EQ(FailureOf([] { CodeValue(""); }), FailureCode::kTypeMismatch);
  EXPECT_EQ(FailureOf([] { CodeValue("AB"); }), FailureCode::kTypeMismatch);
  EXPECT_EQ(FailureOf([] { CodeValue("40000"); }), FailureCode::kOverflow);
}

INSTANTIATE_TEST_SUITE_P(Locales, CodeTextTest,
                         ::testing::ValuesIn(::xkdtazv::testing::BothLocales()),
                         ::xkdtazv::testing::LocaleCaseName);

}  // namespace
}  // namespace xkdtazv::detail
