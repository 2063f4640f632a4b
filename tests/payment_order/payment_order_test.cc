// The parts of a payment order that banks check hardest: identifiers, exact
// amounts, postal codes split from town lines, and the SWIFT character set.
#include <gtest/gtest.h>

#include "pain001/swift_latin.h"
#include "payment_order/amount.h"
#include "payment_order/identifiers.h"
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
