// The parts of a payment order that banks check hardest: identifiers, exact
// amounts, postal codes split from town lines, and the SWIFT character set.
#include <gtest/gtest.h>

#include <random>
#include <regex>

#include "pain001/swift_latin.h"
#include "payment_order/amount.h"
#include "payment_order/identifiers.h"
#include "payment_order/postal_code_form.h"
#include "payment_order/text.h"
#include "payment_order/town_line.h"

namespace xkdtazv::payment {
namespace {

TEST(IdentifiersTest, IbansBicsAndGermanIbans) {
  EXPECT_TRUE(IsValidIban("DE89370400440532013000"));
  EXPECT_TRUE(IsValidIban("KW81CBKU0000000000001234560101"));
  EXPECT_FALSE(IsValidIban("DE88370400440532013000"));  // check digits
  EXPECT_FALSE(IsValidIban("de89370400440532013000"));
  EXPECT_FALSE(IsValidIban("DE8937040044053201300X0000000000000"));  // too long
  EXPECT_TRUE(IsValidBic("COBADEFFXXX"));
  EXPECT_TRUE(IsValidBic("BOTKJPJT"));
  EXPECT_FALSE(IsValidBic("COBADEFF1"));
  EXPECT_FALSE(IsValidBic("C0BADEFFXXX"));
  EXPECT_EQ(GermanIban("50010517", "123456789"), "DE41500105170123456789");
  EXPECT_EQ(GermanIban("37040044", "0532013000"), "DE89370400440532013000");
  EXPECT_EQ(GermanIban("3704004", "532013000"), "");
  EXPECT_EQ(GermanIban("37040044", "12345678901"), "");
}

TEST(IdentifiersTest, IbanFaultsInTheOrderAReaderChecksThem) {
  const struct {
    std::string_view iban;
    IbanFault fault;
  } cases[] = {
      {"AT611904300234573201", IbanFault::kNone},
      {"XY521234567", IbanFault::kNone},  // a country without a registered length
      {"AT61 1904", IbanFault::kCharacters},
      {"at611904300234573201", IbanFault::kCharacters},
      {"A1611904300234573201", IbanFault::kForm},
      {"AT6119043002345732011", IbanFault::kCountryLength},
      {"AT621904300234573201", IbanFault::kCheckDigits},
  };
  for (const auto& c : cases) EXPECT_EQ(CheckIban(c.iban), c.fault) << c.iban;
  EXPECT_EQ(IbanLengthOf("DE"), 22u);
  EXPECT_EQ(IbanLengthOf("ZZ"), 0u);
  EXPECT_EQ(IbanWithoutPadding("/00000000000000AT611904300234573201 "), "AT611904300234573201");
}

TEST(AmountTest, MinorUnitsAndExactSums) {
  struct Case {
    Amount amount;
    std::string text;
    bool fits;
  };
  const Case cases[] = {
      {{"EUR", "1250", "500"}, "1250.50", true}, {{"JPY", "150000", "000"}, "150000", true},
      {{"JPY", "150", "500"}, "150", false},     {{"KWD", "12", "125"}, "12.125", true},
      {{"EUR", "0", "005"}, "0.00", false},      {{"CLF", "1", "123"}, "1.1230", true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(AmountText(c.amount), c.text);
    EXPECT_EQ(FitsMinorUnit(c.amount), c.fits);
  }
  EXPECT_FALSE(IsPositive({"EUR", "0", "000"}));
  EXPECT_EQ(AddDecimal("99999999999999.99", "0.125"), "100000000000000.115");
  EXPECT_EQ(AddDecimal("0", "150000"), "150000");
}

TEST(TownLineTest, PostalCodesByCountry) {
  struct Case {
    std::string line, country, code, town;
    bool split;
  };
  const Case cases[] = {
      {"1016 GV Amsterdam", "NL", "1016 GV", "Amsterdam", true},
      {"00-514 Warszawa", "PL", "00-514", "Warszawa", true},
      {"301 00 Plzen", "CZ", "301 00", "Plzen", true},
      {"BS1 4DJ Bristol", "GB", "BS1 4DJ", "Bristol", true},
      {"Bristol BS1 4DJ", "GB", "BS1 4DJ", "Bristol", true},
      {"FR-69002 Lyon", "FR", "69002", "Lyon", true},
      {"6300 Woergl", "AT", "6300", "Woergl", true},
      {"TOKYO 104-0061", "JP", "104-0061", "TOKYO", true},
      {"DUBAI", "AE", "", "DUBAI", true},
      {"LYON", "FR", "", "LYON", false},
      {"ULAANBAATAR 14200", "MN", "", "ULAANBAATAR 14200", false},
      // A host's line far beyond any address is left whole, without a deep match.
      {"75009 " + std::string(200000, 'P'), "FR", "", "75009 " + std::string(200000, 'P'), false},
  };
  TownLineSplitter splitter;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line);
    const TownLine line = splitter.Split(c.line, c.country);
    EXPECT_EQ(line.postal_code, c.code);
    EXPECT_EQ(line.town, c.town);
    EXPECT_EQ(line.split, c.split);
  }
}

// The splitter matches the table's forms without a regular expression engine;
// on random lines of every country it must split exactly as the ECMAScript
// expressions the forms are written in do.
struct RegexSplitter {
  explicit RegexSplitter(std::string_view country)
      : form(PostalCodeFormOf(country)),
        first("^(?:[A-Z]{1,3}-)?(" + form + ")\\s+(.+)$", std::regex::icase),
        last("^(.+?),?\\s+(" + form + ")$", std::regex::icase),
        none_expected(country == "AE") {}

  struct Parts {
    std::string postal_code, town;
    bool split;
  };
  Parts Split(const std::string& line) const {
    std::smatch match;
    if (!form.empty() && std::regex_match(line, match, first)) return {match[1], match[2], true};
    if (!form.empty() && std::regex_match(line, match, last)) return {match[2], match[1], true};
    return {"", line, none_expected};
  }

  std::string form;
  std::regex first, last;
  bool none_expected;
};

TEST(TownLineTest, SplitsAsTheFormsRegularExpressionsDo) {
  const char* const pieces[] = {"12345", "1016", "00",  "-514", "980",  "6789", "GV",
                                "gv",    "BS1",  "4dj", "K1A",  "0B1",  "D02",  "W",
                                "X8",    "LT-",  "l-",  "FR-",  "Lyon", " ",    "  ",
                                ",",     "\t",   "\r",  "\n",   "-",    "7",    "Ä"};
  std::mt19937 random(20261209);
  std::uniform_int_distribution<std::size_t> piece(0, std::size(pieces) - 1);
  std::uniform_int_distribution<int> count(1, 6);
  const std::string countries[] = {"AT", "BR", "CA", "CN", "CZ", "DE", "GB", "IE",
                                   "IS", "JP", "LT", "LU", "LV", "MC", "MT", "NL",
                                   "PL", "PT", "US", "TW", "AE", "MN"};
  TownLineSplitter splitter;
  for (const std::string& country : countries) {
    const RegexSplitter regex(country);
    for (int i = 0; i < 400; ++i) {
      std::string line;
      for (int n = count(random); n > 0; --n) line += pieces[piece(random)];
      SCOPED_TRACE(country + " \"" + line + "\"");
      const RegexSplitter::Parts expected = regex.Split(line);
      const TownLine split = splitter.Split(line, country);
      ASSERT_EQ(split.postal_code, expected.postal_code);
      ASSERT_EQ(split.town, expected.town);
      ASSERT_EQ(split.split, expected.split);
    }
  }
  EXPECT_THROW(PostalCodeForm("\\d+"), std::logic_error);
}

// Views of the store must survive every later text, long or short, whichever
// block it lands in, and the store's move into the view it is returned with.
TEST(TextStoreTest, KeptTextsStayWhereTheyAreAcrossBlocksAndMoves) {
  TextStore store;
  std::vector<std::pair<Text, std::string>> kept;
  const std::size_t sizes[] = {1, 0, 16383, 16384, 16385, 70000, 65536, 35, 1, 65535, 2};
  for (int round = 0; round < 40; ++round) {
    for (const std::size_t size : sizes) {
      std::string text(size, static_cast<char>('A' + (round + size) % 26));
      kept.emplace_back(store.Keep(text), std::move(text));
    }
  }
  const TextStore moved = std::move(store);
  for (const auto& [view, text] : kept) ASSERT_EQ(std::string_view(view), text);
  EXPECT_TRUE(kept[1].first.empty());
}

TEST(SwiftLatinTest, TransliteratesOrNamesWhatStaysOutside) {
  struct Case {
    std::string in, out, outside;
  };
  const Case cases[] = {
      {"GRÖẞL", "GROESSL", ""},
      {"GRÖßL", "GROESSL", ""},
      {"Müller Söhne", "Mueller Soehne", ""},
      {"Ärger", "Aerger", ""},
      {"Straße", "Strasse", ""},
      {"Łódź Ñandú Čapek", "Lodz Nandu Capek", ""},
      {"Αθήνα", "Athena", ""},
      {"A & B", "A + B", ""},
      {"5% SKONTO", "5 SKONTO", "%"},
      {"INFO@FIRMA", "INFOFIRMA", "@"},
  };
  const pain001::SwiftLatin latin;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.in);
    const pain001::LatinText text = latin.Convert(c.in);
    EXPECT_EQ(text.text, c.out);
    EXPECT_EQ(text.outside, c.outside);
  }
}

}  // namespace
}  // namespace xkdtazv::payment
