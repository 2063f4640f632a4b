#include "platform/number.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>

#include "platform/regional.h"
#include "test_support.h"
#include "xkdtazv/failure.h"

namespace xkdtazv::detail {
namespace {

using ::xkdtazv::testing::LocaleTest;
using ::xkdtazv::testing::WithMark;

struct RecognitionCase {
  std::string text;  // written with "," as the decimal mark
  std::optional<double> value;
};

const RecognitionCase kRecognition[] = {
    {"0", 0.0},
    {"12", 12.0},
    {"0012", 12.0},
    {"12,05", 12.05},
    {",5", 0.5},
    {"7,", 7.0},
    {"-3", -3.0},
    {"+3", 3.0},
    {"-0,5", -0.5},
    {"1234567890123", 1234567890123.0},
    {"", std::nullopt},
    {"-", std::nullopt},
    {"+", std::nullopt},
    {",", std::nullopt},
    {"-,", std::nullopt},
    {"12-34", std::nullopt},
    {"1,2,3", std::nullopt},
    {"--1", std::nullopt},
    {"+-1", std::nullopt},
    {"1-", std::nullopt},
    {" 12", std::nullopt},
    {"12 ", std::nullopt},
    {"1 2", std::nullopt},
    {"1e5", std::nullopt},
    {"1E5", std::nullopt},
    {"0x10", std::nullopt},
    {"abc", std::nullopt},
    {"NaN", std::nullopt},
    {"nan", std::nullopt},
    {"Inf", std::nullopt},
    {"infinity", std::nullopt},
    {"-Infinity", std::nullopt},
    {"\xEF\xBC\x91", std::nullopt},  // fullwidth digit one
    {"\xD9\xA1", std::nullopt},      // Arabic-Indic digit one
    {std::string("1\0", 2), std::nullopt},
};

TEST(ParseNumber, AcceptsExactlyTheDocumentedGrammar) {
  for (const std::string mark : {",", "."}) {
    for (const auto& c : kRecognition) {
      const std::string text = WithMark(c.text, mark);
      SCOPED_TRACE("mark " + mark + " text \"" + text + "\"");
      EXPECT_EQ(ParseNumber(text, mark), c.value);
    }
  }
}

TEST(ParseNumber, TheOtherMarkIsNoDecimalMark) {
  EXPECT_EQ(ParseNumber("12.05", ","), std::nullopt);
  EXPECT_EQ(ParseNumber("12,05", "."), std::nullopt);
  EXPECT_EQ(ParseNumber("1.234,56", ","), std::nullopt);
  EXPECT_EQ(ParseNumber("1,234.56", "."), std::nullopt);
}

TEST(ParseNumber, AnEmptyMarkAllowsNoFraction) {
  EXPECT_EQ(ParseNumber("12", ""), 12.0);
  EXPECT_EQ(ParseNumber("12,5", ""), std::nullopt);
}

TEST(ParseNumber, HandlesValuesAtTheEdgesOfDouble) {
  EXPECT_EQ(ParseNumber(std::string(400, '9'), "."), std::nullopt);
  EXPECT_EQ(ParseNumber("-" + std::string(400, '9'), "."), std::nullopt);
  EXPECT_EQ(ParseNumber("1" + std::string(300, '0'), "."), 1e300);
  EXPECT_EQ(ParseNumber("0." + std::string(400, '0') + "1", "."), 0.0);
  EXPECT_EQ(ParseNumber(std::string(100000, '0') + "1", "."), 1.0);
}

TEST(ToNumber, ThrowsTypeMismatchForTextAndOverflowForHugeNumbers) {
  try {
    ToNumber("abc", ".");
    FAIL() << "no failure";
  } catch (const Failure& failure) {
    EXPECT_EQ(failure.code(), FailureCode::kTypeMismatch);
  }
  try {
    ToNumber(std::string(400, '9'), ".");
    FAIL() << "no failure";
  } catch (const Failure& failure) {
    EXPECT_EQ(failure.code(), FailureCode::kOverflow);
  }
  EXPECT_EQ(ToNumber("12,05", ","), 12.05);
}

TEST(CheckedInt16, AcceptsExactlyTheSixteenBitRange) {
  EXPECT_EQ(CheckedInt16(-32768), -32768);
  EXPECT_EQ(CheckedInt16(32767), 32767);
  for (std::int64_t value : {std::int64_t{-32769}, std::int64_t{32768}, std::int64_t{40000},
                             std::int64_t{std::numeric_limits<std::int32_t>::min()},
                             std::int64_t{std::numeric_limits<std::int32_t>::max()},
                             std::numeric_limits<std::int64_t>::min()}) {
    SCOPED_TRACE(value);
    try {
      CheckedInt16(value);
      ADD_FAILURE() << "no failure";
    } catch (const Failure& failure) {
      EXPECT_EQ(failure.code(), FailureCode::kOverflow);
    }
  }
}

TEST(IsDigits, AcceptsOnlyNonEmptyAsciiDigitStrings) {
  EXPECT_TRUE(IsDigits("0"));
  EXPECT_TRUE(IsDigits("0123456789"));
  EXPECT_TRUE(IsDigits(std::string(100000, '7')));
  for (const std::string text :
       {"", " 1", "1 ", "+1", "-1", "1,5", "1.5", "1e5", "12-34", "\xEF\xBC\x91"}) {
    SCOPED_TRACE(text);
    EXPECT_FALSE(IsDigits(text));
  }
}

TEST(FormatInteger, WritesPlainDigits) {
  EXPECT_EQ(FormatInteger(0.0), "0");
  EXPECT_EQ(FormatInteger(-0.0), "0");
  EXPECT_EQ(FormatInteger(12.0), "12");
  EXPECT_EQ(FormatInteger(-12.0), "-12");
  EXPECT_EQ(FormatInteger(150000.0), "150000");
  EXPECT_EQ(FormatInteger(1e20), "100000000000000000000");
  // Beyond 2^53 a double holds no more than its binary value: its exact digits.
  EXPECT_EQ(FormatInteger(9007199254740993.0), "9007199254740992");
  const std::string huge = FormatInteger(1e300);
  EXPECT_EQ(huge.size(), 301u);
  EXPECT_EQ(huge.substr(0, 16), "1000000000000000");
  EXPECT_TRUE(IsDigits(huge));
  EXPECT_EQ(FormatInteger(-1.7976931348623157e308).size(), 310u);
}

TEST(FormatNumber, WritesFifteenSignificantDigitsWithoutTrailingZeros) {
  struct Case {
    double value;
    const char* comma;
  } const cases[] = {
      {0.0, "0"},
      {-0.0, "0"},
      {12.0, "12"},
      {12.05, "12,05"},
      {12 + 5 / 100.0, "12,05"},
      {-12.05, "-12,05"},
      {0.5, "0,5"},
      {0.05, "0,05"},
      {1234.5, "1234,5"},
      {150000.07, "150000,07"},
      {1e15, "1000000000000000"},
      {1e20, "100000000000000000000"},
      {123456789012345.0, "123456789012345"},
      {1234567890123456.0, "1234567890123460"},
      {0.1 + 0.2, "0,3"},
      {1.0 / 3.0, "0,333333333333333"},
      {9999999999999.99, "9999999999999,99"},
      {0.000001, "0,000001"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.comma);
    EXPECT_EQ(FormatNumber(c.value, ","), c.comma);
    std::string point = c.comma;
    for (char& ch : point) {
      if (ch == ',') ch = '.';
    }
    EXPECT_EQ(FormatNumber(c.value, "."), point);
  }
}

class NumberLocaleTest : public LocaleTest {};

TEST_P(NumberLocaleTest, TheProcessLocaleGivesTheDecimalMark) {
  EXPECT_EQ(DecimalMark(), mark());
  EXPECT_TRUE(IsNumeric("12" + mark() + "05"));
  EXPECT_EQ(ToNumber("12" + mark() + "05"), 12.05);
  EXPECT_FALSE(IsNumeric(mark() == "," ? "12.05" : "12,05"));
  EXPECT_FALSE(IsNumeric(""));
  EXPECT_FALSE(IsNumeric("12-34"));
  EXPECT_TRUE(IsNumeric("1"));
}

TEST_P(NumberLocaleTest, RoundsToSixteenBitsWithTiesToEven) {
  const std::string m = mark();
  EXPECT_EQ(ToInt16("1"), 1);
  EXPECT_EQ(ToInt16("0" + m + "5"), 0);
  EXPECT_EQ(ToInt16("1" + m + "5"), 2);
  EXPECT_EQ(ToInt16("2" + m + "5"), 2);
  EXPECT_EQ(ToInt16("-2" + m + "5"), -2);
  EXPECT_EQ(ToInt16("99" + m + "4"), 99);
  EXPECT_EQ(ToInt16("32767"), 32767);
  EXPECT_EQ(ToInt16("-32768"), -32768);
  EXPECT_EQ(ToInt16("32767" + m + "4"), 32767);
  for (const std::string& text :
       {std::string("32768"), std::string("-32769"), "32767" + m + "5", std::string(400, '9')}) {
    SCOPED_TRACE(text);
    try {
      ToInt16(text);
      ADD_FAILURE() << "no failure";
    } catch (const Failure& failure) {
      EXPECT_EQ(failure.code(), FailureCode::kOverflow);
    }
  }
  try {
    ToInt16("");
    ADD_FAILURE() << "no failure";
  } catch (const Failure& failure) {
    EXPECT_EQ(failure.code(), FailureCode::kTypeMismatch);
  }
}

INSTANTIATE_TEST_SUITE_P(Locales, NumberLocaleTest,
                         ::testing::ValuesIn(::xkdtazv::testing::BothLocales()),
                         ::xkdtazv::testing::LocaleCaseName);

TEST(DecimalMark, AMissingLocaleCountsAsC) {
  ::xkdtazv::testing::ScopedLocale locale("xx_NOWHERE.UTF-8");
  EXPECT_EQ(DecimalMark(), ".");
}

TEST(DecimalMark, FollowsTheEnvironmentAtEachCall) {
  {
    ::xkdtazv::testing::ScopedLocale locale("de_DE.UTF-8");
    EXPECT_EQ(DecimalMark(), ",");
  }
  {
    ::xkdtazv::testing::ScopedLocale locale("C.UTF-8");
    EXPECT_EQ(DecimalMark(), ".");
  }
}

}  // namespace
}  // namespace xkdtazv::detail
