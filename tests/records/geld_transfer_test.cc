#include "xkdtazv/geld_transfer.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <string>

#include "platform/number.h"
#include "platform/text.h"
#include "test_support.h"
#include "xkdtazv/failure.h"
#include "xkdtazv/meine_info.h"

namespace xkdtazv {
namespace {

using ::xkdtazv::detail::CountCodePoints;
using ::xkdtazv::testing::HostileTexts;
using ::xkdtazv::testing::LocaleTest;
using ::xkdtazv::testing::WithMark;

constexpr std::int32_t kInt32Min = std::numeric_limits<std::int32_t>::min();
constexpr std::int32_t kInt32Max = std::numeric_limits<std::int32_t>::max();

// The characters at 1-based record positions [from, from + length).
std::string Slice(const std::string& record, std::size_t from, std::size_t length) {
  const std::u32string chars = detail::DecodeUtf8(record);
  if (from - 1 > chars.size()) return "";
  return detail::EncodeUtf8(std::u32string_view(chars).substr(from - 1, length));
}

std::string Blanks(std::size_t count) { return std::string(count, ' '); }
std::string Zeros(std::size_t count) { return std::string(count, '0'); }

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

class GeldTransferTest : public LocaleTest {
 protected:
  std::string Record() const { return transfer_.GenerateRecord(); }
  std::string AmountField() const { return Slice(Record(), 459, 17); }
  GeldTransfer transfer_;
};

TEST_P(GeldTransferTest, AnUntouchedRecordRendersItsConstantsAndFills) {
  const std::string expected =
      "0768T"
      "00000000"
      "EUR" +
      Zeros(24) + "EUR" + Zeros(10) + Blanks(14) + "UNBEKANNT" + Blanks(26) + Blanks(353) + "EUR" +
      Zeros(17) + Blanks(140) + Zeros(8) + Blanks(25) + "0000" + Blanks(62) + "0" + Blanks(51) +
      "00";
  ASSERT_EQ(expected.size(), 768u);
  EXPECT_EQ(Record(), expected);
  EXPECT_EQ(Record(), expected);  // rendering changes nothing
}

struct AmountCase {
  const char* text;      // either mark, as the host writes it
  const char* rendered;  // positions 459 to 475
  const char* read;      // with "," for the locale's mark; "" when never written
};

const AmountCase kAmounts[] = {
    {"12,05", "00000000000012050", "12,05"},
    {"12.05", "00000000000012050", "12,05"},
    {"1234.5", "00000000001234500", "1234,5"},
    {"1234,50", "00000000001234500", "1234,5"},
    {"100", "00000000000100000", "100"},
    {"0", "00000000000000000", "0"},
    {"0,01", "00000000000000010", "0,01"},
    {"0,1", "00000000000000100", "0,1"},
    {",5", "00000000000000500", "0,5"},
    {"7,", "00000000000007000", "7"},
    {"+12,05", "00000000000012050", "12,05"},
    {"0012,05", "00000000000012050", "12,05"},
    {"150000.07", "00000000150000070", "150000,07"},
    {"1.125", "00000000000001120", "1,12"},  // a tie goes to the even
    {"1.135", "00000000000001140", "1,14"},
    {"0,375", "00000000000000380", "0,38"},
    {"0,994", "00000000000000990", "0,99"},
    {"1.999", "00000000000002000", "2"},  // carries into the integer part
    {"0.996", "00000000000001000", "1"},
    {"9,9999", "00000000000010000", "10"},
    {"99999,999", "00000000100000000", "100000"},
    {"-1.999", "000000000000-2000", "-2"},
    {"-12,05", "00000000000-12-05", "-12,05"},
    {"-0,5", "00000000000000-50", "-0,5"},
    {"1234567890123,45", "01234567890123450", "1234567890123,45"},
    {"123456789012345678", "00000000000000000", "0"},  // beyond the field: out of range
    {"", "00000000000000000", "0"},
    {"abc", "00000000000000000", "0"},
    {"1.234,56", "00000000000000000", "0"},
    {"1,234.56", "00000000000000000", "0"},
    {"1.234.567", "00000000000000000", "0"},
    {" 12", "00000000000000000", "0"},
    {"12 ", "00000000000000000", "0"},
    {"1 234", "00000000000000000", "0"},
    {"--1", "00000000000000000", "0"},
    {"+-1", "00000000000000000", "0"},
    {"12-34", "00000000000000000", "0"},
    {"1e3", "00000000000000000", "0"},
    {"1E3", "00000000000000000", "0"},
    {"0x1A", "00000000000000000", "0"},
    {"NaN", "00000000000000000", "0"},
    {"-nan", "00000000000000000", "0"},
    {"Infinity", "00000000000000000", "0"},
    {"inf", "00000000000000000", "0"},
    {"12\xE2\x82\xAC", "00000000000000000", "0"},
    {"12\xFF", "00000000000000000", "0"},
};

TEST_P(GeldTransferTest, SplitsTheAmountIntoIntegerPartAndHundredths) {
  for (const auto& c : kAmounts) {
    SCOPED_TRACE(c.text);
    transfer_.setBetrag(c.text);
    EXPECT_EQ(AmountField(), c.rendered);
    EXPECT_EQ(transfer_.Betrag(), WithMark(c.read, mark()));
  }
}

TEST_P(GeldTransferTest, TakesAmountsOfAnyLength) {
  transfer_.setBetrag(std::string(400, '9'));  // beyond double: no number
  EXPECT_EQ(AmountField(), Zeros(17));
  EXPECT_EQ(transfer_.Betrag(), "0");
  transfer_.setBetrag(std::string(100000, '1'));
  EXPECT_EQ(AmountField(), Zeros(17));
  EXPECT_EQ(transfer_.Betrag(), "0");
  transfer_.setBetrag(std::string(99990, '0') + "12" + mark() + "05");
  EXPECT_EQ(AmountField(), "00000000000012050");
}

// The record holds fourteen characters of integer part: a longer one would be
// cut to a different amount, so it counts as out of range and stores 0.
TEST_P(GeldTransferTest, IntegerPartsBeyondTheFieldStoreZero) {
  const struct {
    std::string amount;
    std::string field;
  } cases[] = {
      {"99999999999999", "99999999999999000"},
      {"-9999999999999", "-9999999999999000"},
      {"100000000000000", Zeros(17)},
      {"-99999999999999", Zeros(17)},
      {"200060115678900" + mark() + "75", Zeros(17)},
      {std::string("1").append(300, '0'), Zeros(17)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.amount);
    transfer_.setBetrag(c.amount);
    EXPECT_EQ(AmountField(), c.field);
  }
}

TEST_P(GeldTransferTest, ANeverWrittenAmountReadsAsTheEmptyText) {
  EXPECT_EQ(transfer_.Betrag(), "");
  EXPECT_EQ(transfer_.BetragVorkomma(), "");
}

TEST_P(GeldTransferTest, TheStoredIntegerPartIsPlainDigits) {
  transfer_.setBetrag("150000" + mark() + "07");
  EXPECT_EQ(transfer_.BetragVorkomma(), "150000");
  transfer_.setBetrag("1" + mark() + "999");
  EXPECT_EQ(transfer_.BetragVorkomma(), "2");
  transfer_.setBetrag("-1" + mark() + "5");
  EXPECT_EQ(transfer_.BetragVorkomma(), "-1");
  transfer_.setBetrag("abc");
  EXPECT_EQ(transfer_.BetragVorkomma(), "0");
}

// The file adds up what Betrag reads back; writing that text again must give
// the same record and the same reading.
TEST_P(GeldTransferTest, ReadingBackConvertsToTheSameAmount) {
  const char* amounts[] = {
      "0,01",
      "0,1",
      "0,29",
      "0,57",
      "0,99",
      "1",
      "1,005",
      "1,15",
      "2,675",
      "8,675",
      "12,05",
      "99,99",
      "100,01",
      "1234,5",
      "150000,07",
      "999999,99",
      "1000000,01",
      "123456789,12",
      "9999999999999,99",
      "1,999",
      "0,996",
      "1,125",
      "-0,01",
      "-12,05",
      "-999999,99",
      "4503599627370,49",
      "7,77777",
  };
  for (const char* amount : amounts) {
    SCOPED_TRACE(amount);
    transfer_.setBetrag(WithMark(amount, mark()));
    const std::string read = transfer_.Betrag();
    const std::string field = AmountField();
    const std::string integer = transfer_.BetragVorkomma();

    const double value = detail::ToNumber(read);
    EXPECT_EQ(detail::FormatNumber(value, mark()), read);
    EXPECT_EQ(detail::FormatInteger(std::trunc(value)), integer);

    transfer_.setBetrag(read);
    EXPECT_EQ(transfer_.Betrag(), read);
    EXPECT_EQ(AmountField(), field);
  }
}

TEST_P(GeldTransferTest, ReadsBackInTheLocalesMark) {
  transfer_.setBetrag("12,05");
  EXPECT_EQ(transfer_.Betrag(), "12" + mark() + "05");
  transfer_.setBetrag("12.05");
  EXPECT_EQ(transfer_.Betrag(), "12" + mark() + "05");
}

TEST_P(GeldTransferTest, TheSeparatorIsTheLocalesDecimalMark) {
  EXPECT_EQ(transfer_.GetSeparatorString(), mark());
}

TEST(GeldTransferSeparator, AMissingLocaleGivesThePointOfC) {
  const testing::ScopedLocale locale("xx_NOWHERE.UTF-8");
  const GeldTransfer transfer;
  EXPECT_EQ(transfer.GetSeparatorString(), ".");
}

TEST(GeldTransferSeparator, FollowsTheLocaleAtEachCall) {
  GeldTransfer transfer;
  {
    const testing::ScopedLocale locale("de_DE.UTF-8");
    transfer.setBetrag("12,05");
    EXPECT_EQ(transfer.GetSeparatorString(), ",");
    EXPECT_EQ(transfer.Betrag(), "12,05");
  }
  const testing::ScopedLocale locale("C.UTF-8");
  EXPECT_EQ(transfer.GetSeparatorString(), ".");
  EXPECT_EQ(transfer.Betrag(), "12.05");
}

using TextSetter = void (GeldTransfer::*)(std::string_view);
using TextGetter = std::string (GeldTransfer::*)() const;

struct TextProperty {
  const char* name;
  TextSetter set;
  TextGetter get;
  std::size_t position;
  std::size_t width;
  bool upper;
};

const TextProperty kTextProperties[] = {
    {"BIC", &GeldTransfer::setBIC, &GeldTransfer::BIC, 54, 11, false},
    {"BankLaenderCode", &GeldTransfer::setBankLaenderCode, &GeldTransfer::BankLaenderCode, 65, 3,
     false},
    {"Name", &GeldTransfer::setName, &GeldTransfer::Name, 211, 35, true},
    {"Vorname", &GeldTransfer::setVorname, &GeldTransfer::Vorname, 246, 35, true},
    {"Strasse", &GeldTransfer::setStrasse, &GeldTransfer::Strasse, 281, 35, true},
    {"OrtPLZ", &GeldTransfer::setOrtPLZ, &GeldTransfer::OrtPLZ, 316, 35, true},
    {"Verwendungszweck1", &GeldTransfer::setVerwendungszweck1, &GeldTransfer::Verwendungszweck1,
     476, 35, true},
    {"Verwendungszweck2", &GeldTransfer::setVerwendungszweck2, &GeldTransfer::Verwendungszweck2,
     511, 35, true},
    {"Verwendungszweck3", &GeldTransfer::setVerwendungszweck3, &GeldTransfer::Verwendungszweck3,
     546, 35, true},
    {"Verwendungszweck4", &GeldTransfer::setVerwendungszweck4, &GeldTransfer::Verwendungszweck4,
     581, 35, true},
    {"WeisungsschluesselZusatz", &GeldTransfer::setWeisungsschluesselZusatz,
     &GeldTransfer::WeisungsschluesselZusatz, 624, 25, false},
    {"VariableText", &GeldTransfer::setVariableText, &GeldTransfer::VariableText, 653, 27, true},
    {"Ansprechpartner", &GeldTransfer::setAnsprechpartner, &GeldTransfer::Ansprechpartner, 680, 35,
     false},
};

TEST_P(GeldTransferTest, TextPropertiesUpperCaseOnlyFreeText) {
  for (const auto& property : kTextProperties) {
    SCOPED_TRACE(property.name);
    GeldTransfer transfer;
    (transfer.*property.set)("ab \xC3\xA4\xC3\x9F");
    const std::string stored = property.upper ? "AB \xC3\x84\xC3\x9F" : "ab \xC3\xA4\xC3\x9F";
    EXPECT_EQ((transfer.*property.get)(), stored);
    const std::string record = transfer.GenerateRecord();
    EXPECT_EQ(CountCodePoints(record), 768u);
    const std::string rendered = Slice(stored + Blanks(property.width), 1, property.width);
    EXPECT_EQ(Slice(record, property.position, property.width), rendered);
  }
}

TEST_P(GeldTransferTest, TextPropertiesKeepOverlongTextAndRenderItsStart) {
  for (const auto& property : kTextProperties) {
    SCOPED_TRACE(property.name);
    GeldTransfer transfer;
    const std::string text = std::string(property.width, 'X') + "YZ";
    (transfer.*property.set)(text);
    EXPECT_EQ((transfer.*property.get)(), text);
    EXPECT_EQ(
        Slice(transfer.GenerateRecord(), property.position, property.width + 2),
        std::string(property.width, 'X') + Slice(Record(), property.position + property.width, 2));
  }
}

TEST_P(GeldTransferTest, StreetIsUpperCasedAndContactKeptAsWritten) {
  transfer_.setStrasse("Bahnhofstrasse 1");
  transfer_.setAnsprechpartner("Kasse");
  EXPECT_EQ(transfer_.Strasse(), "BAHNHOFSTRASSE 1");
  EXPECT_EQ(transfer_.Ansprechpartner(), "Kasse");
}

TEST_P(GeldTransferTest, KeepsTheIbanBehindASlash) {
  transfer_.setIBAN("DE00123456780000000000");
  EXPECT_EQ(transfer_.IBAN(), "DE00123456780000000000");
  EXPECT_EQ(Slice(Record(), 421, 35), "/DE00123456780000000000" + Blanks(12));

  const std::string longest = "MT84MALT011000012345MTLCAST001S123";  // 34 characters
  transfer_.setIBAN(longest);
  EXPECT_EQ(transfer_.IBAN(), longest);
  EXPECT_EQ(Slice(Record(), 421, 35), "/" + longest);

  transfer_.setIBAN("de00 abc");
  EXPECT_EQ(transfer_.IBAN(), "de00 abc");

  transfer_.setIBAN(
      "\xC3\x84"
      "B");
  EXPECT_EQ(transfer_.IBAN(),
            "\xC3\x84"
            "B");
  transfer_.setIBAN("\xFF");
  EXPECT_EQ(transfer_.IBAN(), "\xEF\xBF\xBD");

  transfer_.setIBAN("");  // only the slash is stored, and it reads back
  EXPECT_EQ(transfer_.IBAN(), "/");
  EXPECT_EQ(Slice(Record(), 421, 35), std::string("/").append(34, ' '));
}

TEST_P(GeldTransferTest, CountryCodesComeFromTheCountryList) {
  transfer_.setLaenderCode(LaenderCodes::DEUTSCHLAND);
  EXPECT_EQ(Slice(Record(), 208, 3), "DE ");
  EXPECT_EQ(transfer_.LaenderCode(), LaenderCodes::DEUTSCHLAND);

  transfer_.setLaenderCode(LaenderCodes::BELGIEN);
  EXPECT_EQ(Slice(Record(), 208, 3), "BE ");
  EXPECT_EQ(transfer_.LaenderCode(), LaenderCodes::BELGIEN);

  transfer_.setLaenderCode(ToLaenderCode(AllowedEULaenderCodes::OESTERREICH));
  EXPECT_EQ(Slice(Record(), 208, 3), "AT ");
  EXPECT_EQ(transfer_.LaenderCode(), LaenderCodes::OESTERREICH);

  transfer_.setLaenderCode(LaenderCodes::NONE);
  EXPECT_EQ(Slice(Record(), 208, 3), "   ");
  EXPECT_EQ(transfer_.LaenderCode(), LaenderCodes::NONE);
}

TEST_P(GeldTransferTest, ANewRecordHasNoCountry) {
  EXPECT_EQ(transfer_.LaenderCode(), LaenderCodes::NONE);
}

TEST_P(GeldTransferTest, CountryValuesBetweenTheMembersAreStoredAsTheyFall) {
  struct Case {
    std::int32_t value;
    const char* rendered;
    std::int32_t read;
  } const cases[] = {
      {2, "E, ", 2}, {89, "E  ", 2}, {100, "   ", 0}, {200, "   ", 0}, {32767, "   ", 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.value);
    transfer_.setLaenderCode(static_cast<LaenderCodes>(c.value));
    EXPECT_EQ(Slice(Record(), 208, 3), c.rendered);
    EXPECT_EQ(static_cast<std::int32_t>(transfer_.LaenderCode()), c.read);
  }
}

TEST_P(GeldTransferTest, AFailedCountryWriteKeepsTheField) {
  struct Case {
    std::int32_t value;
    FailureCode failure;
  } const cases[] = {
      {-1, FailureCode::kInvalidArgument}, {-32768, FailureCode::kInvalidArgument},
      {40000, FailureCode::kOverflow},     {32768, FailureCode::kOverflow},
      {-32769, FailureCode::kOverflow},    {kInt32Min, FailureCode::kOverflow},
      {kInt32Max, FailureCode::kOverflow},
  };
  transfer_.setLaenderCode(LaenderCodes::FRANKREICH);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.value);
    EXPECT_EQ(FailureOf([&] { transfer_.setLaenderCode(static_cast<LaenderCodes>(c.value)); }),
              c.failure);
    EXPECT_EQ(transfer_.LaenderCode(), LaenderCodes::FRANKREICH);
    EXPECT_EQ(Slice(Record(), 208, 3), "FR ");
  }
}

using CodeSetter = void (GeldTransfer::*)(std::int32_t);

struct CodeProperty {
  const char* name;
  std::size_t position;
  void (*set)(GeldTransfer&, std::int32_t);
  std::int32_t (*get)(const GeldTransfer&);
};

const CodeProperty kCodeProperties[] = {
    {"Weisungsschluessel1", 616,
     [](GeldTransfer& t, std::int32_t v) { t.setWeisungsschluessel1(Weisungsschluessel(v)); },
     [](const GeldTransfer& t) { return static_cast<std::int32_t>(t.Weisungsschluessel1()); }},
    {"Weisungsschluessel2", 618,
     [](GeldTransfer& t, std::int32_t v) { t.setWeisungsschluessel2(Weisungsschluessel(v)); },
     [](const GeldTransfer& t) { return static_cast<std::int32_t>(t.Weisungsschluessel2()); }},
    {"Weisungsschluessel3", 620,
     [](GeldTransfer& t, std::int32_t v) { t.setWeisungsschluessel3(Weisungsschluessel(v)); },
     [](const GeldTransfer& t) { return static_cast<std::int32_t>(t.Weisungsschluessel3()); }},
    {"Weisungsschluessel4", 622,
     [](GeldTransfer& t, std::int32_t v) { t.setWeisungsschluessel4(Weisungsschluessel(v)); },
     [](const GeldTransfer& t) { return static_cast<std::int32_t>(t.Weisungsschluessel4()); }},
    {"Zahlungsart", 651, [](GeldTransfer& t, std::int32_t v) { t.setZahlungsart(Zahlungsart(v)); },
     [](const GeldTransfer& t) { return static_cast<std::int32_t>(t.Zahlungsart()); }},
};

TEST_P(GeldTransferTest, CodePropertiesRenderTheirTwoDigitText) {
  struct Case {
    std::int32_t value;
    const char* rendered;
  } const cases[] = {
      {static_cast<std::int32_t>(Weisungsschluessel::BONL), "01"},
      {static_cast<std::int32_t>(Weisungsschluessel::CHQB), "02"},
      {static_cast<std::int32_t>(Weisungsschluessel::HOLD), "04"},
      {static_cast<std::int32_t>(Weisungsschluessel::PHON), "06"},
      {static_cast<std::int32_t>(Weisungsschluessel::TELE), "07"},
      {static_cast<std::int32_t>(Weisungsschluessel::PHOB), "09"},
      {static_cast<std::int32_t>(Weisungsschluessel::TELB), "10"},
      {static_cast<std::int32_t>(Weisungsschluessel::CORT), "11"},
      {static_cast<std::int32_t>(Weisungsschluessel::INTC), "12"},
      {static_cast<std::int32_t>(Weisungsschluessel::EURO_GEGENWERT), "91"},
      {static_cast<std::int32_t>(Zahlungsart::STANDARD), "00"},
      {static_cast<std::int32_t>(Zahlungsart::TELEX_SWIFT), "10"},
      {static_cast<std::int32_t>(Zahlungsart::EUE), "11"},
      {static_cast<std::int32_t>(Zahlungsart::EU_STANDART), "13"},
      {static_cast<std::int32_t>(Zahlungsart::GRENZUEBERSCHREITEND), "15"},
      // Values outside the members are stored as their text and cut to two.
      {2, "02"},
      {100, "10"},
      {200, "20"},
      {-1, "-1"},
      {32767, "32"},
      {-32768, "-3"},
  };
  for (const auto& property : kCodeProperties) {
    for (const auto& c : cases) {
      SCOPED_TRACE(std::string(property.name) + " " + std::to_string(c.value));
      GeldTransfer transfer;
      property.set(transfer, c.value);
      EXPECT_EQ(property.get(transfer), c.value);
      EXPECT_EQ(Slice(transfer.GenerateRecord(), property.position, 2), c.rendered);
    }
  }
}

TEST_P(GeldTransferTest, HoldAndStandardLandInTheirPositions) {
  transfer_.setWeisungsschluessel1(Weisungsschluessel::HOLD);
  transfer_.setZahlungsart(Zahlungsart::STANDARD);
  EXPECT_EQ(Slice(Record(), 616, 8), "04000000");
  EXPECT_EQ(Slice(Record(), 649, 4), "0000");
  EXPECT_EQ(transfer_.Weisungsschluessel1(), Weisungsschluessel::HOLD);
  EXPECT_EQ(transfer_.Zahlungsart(), Zahlungsart::STANDARD);
}

TEST_P(GeldTransferTest, AFailedCodeWriteKeepsTheField) {
  for (const auto& property : kCodeProperties) {
    for (std::int32_t value : {40000, 32768, -32769, kInt32Min, kInt32Max}) {
      SCOPED_TRACE(std::string(property.name) + " " + std::to_string(value));
      GeldTransfer transfer;
      property.set(transfer, 13);
      EXPECT_EQ(FailureOf([&] { property.set(transfer, value); }), FailureCode::kOverflow);
      EXPECT_EQ(property.get(transfer), 13);
      EXPECT_EQ(Slice(transfer.GenerateRecord(), property.position, 2), "13");

      GeldTransfer never_set;
      EXPECT_EQ(FailureOf([&] { property.set(never_set, value); }), FailureCode::kOverflow);
      EXPECT_EQ(FailureOf([&] { property.get(never_set); }), FailureCode::kTypeMismatch);
    }
  }
}

TEST_P(GeldTransferTest, ReadingANeverWrittenCodeIsATypeMismatch) {
  for (const auto& property : kCodeProperties) {
    SCOPED_TRACE(property.name);
    const GeldTransfer transfer;
    EXPECT_EQ(FailureOf([&] { property.get(transfer); }), FailureCode::kTypeMismatch);
  }
}

TEST_P(GeldTransferTest, ChargesKeepTheirDefaultUntilWritten) {
  EXPECT_EQ(transfer_.Entgeltregelung(), "00");
  EXPECT_EQ(Slice(Record(), 649, 2), "00");
  transfer_.setEntgeltregelung("1");
  EXPECT_EQ(transfer_.Entgeltregelung(), "1");
  EXPECT_EQ(Slice(Record(), 649, 2), "01");
  transfer_.setEntgeltregelung("ab");
  EXPECT_EQ(transfer_.Entgeltregelung(), "ab");
}

TEST_P(GeldTransferTest, ApplyMeineInfoCopiesTheSendersCodesAndDate) {
  MeineInfo sender(testing::FixedToday(std::chrono::year_month_day{
      std::chrono::year{2024}, std::chrono::month{1}, std::chrono::day{15}}));
  sender.setBLZ("87654321");
  sender.setKontonummer("99");
  EXPECT_TRUE(transfer_.ApplyMeineInfo(sender));
  sender.setBLZ("12345678");
  sender.setKontonummer("1234567890");
  sender.setExecutionDate("240120");
  EXPECT_TRUE(transfer_.ApplyMeineInfo(sender));
  const std::string record = Record();
  EXPECT_EQ(Slice(record, 6, 8), "12345678");
  EXPECT_EQ(Slice(record, 14, 3), "EUR");
  EXPECT_EQ(Slice(record, 17, 10), "1234567890");
  EXPECT_EQ(Slice(record, 27, 6), "240120");

  sender.setBLZ("");
  sender.setKontonummer("");
  sender.setExecutionDate("");
  EXPECT_TRUE(transfer_.ApplyMeineInfo(sender));
  EXPECT_EQ(Slice(Record(), 6, 27), Zeros(8) + "EUR" + Zeros(16));
}

TEST_P(GeldTransferTest, TextsTooLongToRenderGiveTheFailureText) {
  const std::string failure =
      "FEHLER: Generierung von GeldTransfer fehlgeschlagen.\r\n6\r\nÜberlauf\r\n";
  transfer_.setVerwendungszweck1(std::string(100000, 'a'));
  EXPECT_EQ(transfer_.Verwendungszweck1(), std::string(100000, 'A'));
  EXPECT_EQ(Record(), failure);
  transfer_.setVerwendungszweck1(std::string(32767, 'a'));
  EXPECT_EQ(CountCodePoints(Record()), 768u);
  transfer_.setIBAN(std::string(32767, 'D'));  // the slash makes it one too many
  EXPECT_EQ(Record(), failure);
}

// Every text property takes every text: the getter returns what was stored
// and rendering answers with a record or the failure text.
TEST_P(GeldTransferTest, TakesAnyTextInEveryProperty) {
  const std::vector<std::string> texts = HostileTexts();
  for (const auto& property : kTextProperties) {
    for (const std::string& text : texts) {
      SCOPED_TRACE(std::string(property.name) + " with " + std::to_string(text.size()) + " bytes");
      GeldTransfer transfer;
      (transfer.*property.set)(text);
      const std::string stored =
          property.upper ? detail::ToUpper(text) : detail::SanitizeUtf8(text);
      EXPECT_EQ((transfer.*property.get)(), stored);
      const std::string record = transfer.GenerateRecord();
      EXPECT_TRUE(CountCodePoints(record) == 768u ||
                  record.starts_with("FEHLER: Generierung von GeldTransfer fehlgeschlagen.\r\n"));
    }
  }
  for (const std::string& text : texts) {
    GeldTransfer transfer;
    transfer.setIBAN(text);
    EXPECT_EQ(transfer.IBAN(), text.empty() ? "/" : detail::SanitizeUtf8(text));
    transfer.setBetrag(text);
    EXPECT_EQ(transfer.Betrag(), "0");
  }
}

INSTANTIATE_TEST_SUITE_P(Locales, GeldTransferTest,
                         ::testing::ValuesIn(::xkdtazv::testing::BothLocales()),
                         ::xkdtazv::testing::LocaleCaseName);

}  // namespace
}  // namespace xkdtazv
