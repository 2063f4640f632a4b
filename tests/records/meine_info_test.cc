#include "xkdtazv/meine_info.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>

#include "platform/text.h"
#include "test_support.h"

namespace xkdtazv {
namespace {

using namespace std::chrono;
using ::xkdtazv::detail::CountCodePoints;
using ::xkdtazv::testing::FixedToday;
using ::xkdtazv::testing::HostileTexts;
using ::xkdtazv::testing::LocaleTest;
using ::xkdtazv::testing::SequenceToday;

constexpr year_month_day kCreated = 2024y / January / 15d;  // "240115"

const std::string kBlzMessage = "Fehler: BLZ muss 8-stellig sein.\r\n";
const std::string kAccountMessage = "Fehler: Kontonummer darf nur Zahlen enthalten\r\n";
const std::string kAccountTooLong = "Fehler: Kontonummer darf hoechstens 10 Stellen haben!\r\n";
const std::string kDateLength = "Fehler: Ausfuehrungsdatum ist keine 6 Zeichen lang!\r\n";
const std::string kDateTooFar = "Fehler: Ausfuehrungsdatum liegt zu weit vorne!\r\n";
const std::string kDateBehind = "Fehler: Ausfuehrungsdatum liegt hinter dem heutigen Datum!\r\n";
const std::string kValidationFailedTypeMismatch =
    "FEHLER: Validierung fehlgeschlagen!\r\n13\r\nTypen unverträglich\r\n";
const std::string kValidationFailedOverflow =
    "FEHLER: Validierung fehlgeschlagen!\r\n6\r\nÜberlauf\r\n";
const std::string kGenerationFailedOverflow =
    "FEHLER: Generierung von MeineInfo ist fehlgeschlagen!\r\n6\r\nÜberlauf\r\n";

std::string NameMessage(const std::string& field, const std::string& character, int position) {
  return "Fehler: Das Feld \"" + field + "\" enthält ein ungültiges Zeichen " + character +
         " an der Stelle " + std::to_string(position) + "!\r\n";
}

// A header that passes every test, dated kCreated.
class MeineInfoTest : public LocaleTest {
 protected:
  MeineInfoTest() : sender_(FixedToday(kCreated)) {
    sender_.setBLZ("12345678");
    sender_.setKontonummer("1234567890");
  }
  MeineInfo sender_;
};

TEST_P(MeineInfoTest, ANewHeaderReportsBankCodeAndAccountOnly) {
  const MeineInfo fresh(FixedToday(kCreated));
  EXPECT_EQ(fresh.Validate(), kBlzMessage + kAccountMessage);
  EXPECT_EQ(fresh.ExecutionDate(), "240115");
  EXPECT_EQ(fresh.BLZ(), "");
  EXPECT_EQ(fresh.Kontonummer(), "");
  EXPECT_EQ(fresh.Name(), "");
}

TEST_P(MeineInfoTest, ANewHeaderRendersItsConstantsAndTheCreationDate) {
  const MeineInfo fresh(FixedToday(kCreated));
  const std::string expected = "0256Q" + std::string(8, '0') + std::string(10, '0') +
                               std::string(140, ' ') + "240115" + "01" + "240115" + "N" + "00" +
                               std::string(8, '0') + std::string(68, ' ');
  ASSERT_EQ(expected.size(), 256u);
  EXPECT_EQ(fresh.GenerateRecord(), expected);
}

TEST_P(MeineInfoTest, AFilledHeaderRendersEachFieldInPlace) {
  sender_.setBLZ("123");
  sender_.setKontonummer("4711");
  sender_.setName("Muster GmbH");
  sender_.setVorname("Abt. Zahlungsverkehr");
  sender_.setStrasse("Bahnhofstr. 1");
  sender_.setOrtPLZ("12345 Berlin");
  sender_.setExecutionDate("240120");
  const std::string record = sender_.GenerateRecord();
  ASSERT_EQ(record.size(), 256u);
  EXPECT_EQ(record.substr(0, 5), "0256Q");
  EXPECT_EQ(record.substr(5, 8), "00000123");
  EXPECT_EQ(record.substr(13, 10), "0000004711");
  EXPECT_EQ(record.substr(23, 35), "MUSTER GMBH" + std::string(24, ' '));
  EXPECT_EQ(record.substr(58, 35), "ABT. ZAHLUNGSVERKEHR" + std::string(15, ' '));
  EXPECT_EQ(record.substr(93, 35), "BAHNHOFSTR. 1" + std::string(22, ' '));
  EXPECT_EQ(record.substr(128, 35), "12345 BERLIN" + std::string(23, ' '));
  EXPECT_EQ(record.substr(163, 6), "240115");
  EXPECT_EQ(record.substr(169, 2), "01");
  EXPECT_EQ(record.substr(171, 6), "240120");
  EXPECT_EQ(record.substr(177), std::string("N").append(10, '0').append(68, ' '));
}

TEST_P(MeineInfoTest, EachDateFieldReadsTheClockOnItsOwn) {
  const MeineInfo sender(SequenceToday({2024y / January / 15d, 2024y / January / 16d}));
  EXPECT_EQ(sender.ExecutionDate(), "240116");
  EXPECT_EQ(sender.GenerateRecord().substr(163, 14),
            "240115"
            "01"
            "240116");
}

TEST_P(MeineInfoTest, WithoutAClockItDatesItselfByTheLocalClock) {
  MeineInfo sender;
  sender.setBLZ("12345678");
  sender.setKontonummer("1");
  EXPECT_EQ(CountCodePoints(sender.ExecutionDate()), 6u);
  EXPECT_EQ(sender.Validate(), "SUCCESS");
}

TEST_P(MeineInfoTest, ACompleteHeaderValidatesToSuccess) {
  EXPECT_EQ(sender_.Validate(), "SUCCESS");
}

struct ValidationCase {
  const char* name;
  const char* blz;
  std::string account;
  std::string expected;
};

TEST_P(MeineInfoTest, ChecksBankCodeAndAccountNumber) {
  const ValidationCase cases[] = {
      {"eight digits", "12345678", "1234567890", "SUCCESS"},
      {"seven digits", "1234567", "1", kBlzMessage},
      {"nine digits", "123456789", "1", kBlzMessage},
      {"empty bank code", "", "1", kBlzMessage},
      {"eight letters", "ABCDEFGH", "1", kBlzMessage},
      {"eight characters with a blank", "1234 678", "1", kBlzMessage},
      {"eight characters with a sign", "+1234567", "1", kBlzMessage},
      {"eight umlauts", "\xC3\x84\xC3\x84\xC3\x84\xC3\x84\xC3\x84\xC3\x84\xC3\x84\xC3\x84", "1",
       kBlzMessage},
      {"eight fullwidth digits",
       "\xEF\xBC\x91\xEF\xBC\x92\xEF\xBC\x93\xEF\xBC\x94\xEF\xBC\x95\xEF\xBC\x96\xEF\xBC\x97"
       "\xEF\xBC\x98",
       "1", kBlzMessage},
      {"empty account", "12345678", "", kAccountMessage},
      {"account with a hyphen", "12345678", "12-34", kAccountMessage},
      {"account with a comma", "12345678", "12,5", kAccountMessage},
      {"account with a full stop", "12345678", "12.5", kAccountMessage},
      {"account with a sign", "12345678", "-12", kAccountMessage},
      {"account with a plus sign", "12345678", "+12", kAccountMessage},
      {"account with blanks", "12345678", " 12 ", kAccountMessage},
      {"account with an exponent", "12345678", "1e5", kAccountMessage},
      {"account with letters", "12345678", "12AB", kAccountMessage},
      {"account of one digit", "12345678", "0", "SUCCESS"},
      {"account of ten digits", "12345678", "0000000001", "SUCCESS"},
      {"account of eleven digits", "12345678", "12345678901", kAccountTooLong},
      {"account of twelve digits", "12345678", "123456789012", kAccountTooLong},
      {"account of twelve letters", "12345678", "ABCDEFGHIJKL", kAccountMessage + kAccountTooLong},
      {"account of ten umlauts", "12345678",
       "\xC3\x84\xC3\x84\xC3\x84\xC3\x84\xC3\x84\xC3\x84\xC3\x84\xC3\x84\xC3\x84\xC3\x84",
       kAccountMessage},
      {"account of 100,000 digits", "12345678", std::string(100000, '1'), kAccountTooLong},
      {"both wrong", "1", "X", kBlzMessage + kAccountMessage},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    sender_.setBLZ(c.blz);
    sender_.setKontonummer(c.account);
    EXPECT_EQ(sender_.Validate(), c.expected);
  }
}

TEST_P(MeineInfoTest, RendersTheLeadingCharactersOfOverlongCodes) {
  sender_.setBLZ("123456789");
  sender_.setKontonummer("123456789012");
  EXPECT_EQ(sender_.BLZ(), "123456789");
  EXPECT_EQ(sender_.Kontonummer(), "123456789012");
  EXPECT_EQ(sender_.GenerateRecord().substr(5, 18),
            "12345678"
            "1234567890");
}

struct DateCase {
  const char* name;
  std::string execution;
  std::string expected;
};

TEST_P(MeineInfoTest, KeepsTheExecutionDateWithinFifteenDaysOfCreation) {
  const DateCase cases[] = {
      {"the creation day", "240115", "SUCCESS"},
      {"fifteen days ahead", "240130", "SUCCESS"},
      {"sixteen days ahead", "240131", kDateTooFar},
      {"one day before", "240114", kDateBehind},
      {"a year before", "230115", kDateBehind},
      {"a year ahead", "250115", kDateTooFar},
      {"eight characters, first six in range", "24012099", kDateLength},
      {"seven characters, first six in range", "2401200", kDateLength},
      {"eight characters, first six too far", "24020199", kDateLength + kDateTooFar},
      {"100,000 characters, first six in range", "240120" + std::string(99994, '9'), kDateLength},
      {"empty", "", kValidationFailedTypeMismatch},
      {"five characters", "24012", kValidationFailedTypeMismatch},
      {"no calendar date", "240230", kValidationFailedTypeMismatch},
      {"month 13", "241301", kValidationFailedTypeMismatch},
      {"letters", "ABCDEF", kValidationFailedTypeMismatch},
      {"day month year is read as year month day", "150124", kDateBehind},
      {"umlauts", "\xC3\xA4\xC3\xA4\xC3\xA4\xC3\xA4\xC3\xA4\xC3\xA4",
       kValidationFailedTypeMismatch},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    sender_.setExecutionDate(c.execution);
    EXPECT_EQ(sender_.Validate(), c.expected);
  }
}

TEST_P(MeineInfoTest, AnEmptyExecutionDateGivesTheFailureTextAlone) {
  // Nothing else set: the bank code, account and length messages are dropped too.
  MeineInfo sender(FixedToday(kCreated));
  sender.setExecutionDate("");
  sender.setName("m\xC3\xBCller");
  EXPECT_EQ(sender.Validate(), kValidationFailedTypeMismatch);
  EXPECT_EQ(sender.ExecutionDate(), "");
  EXPECT_EQ(sender.Name(), "M\xC3\x9CLLER");
}

TEST_P(MeineInfoTest, AnOverlongExecutionDateRendersItsFirstSixCharacters) {
  sender_.setExecutionDate("24012099");
  EXPECT_EQ(sender_.ExecutionDate(), "24012099");
  EXPECT_EQ(sender_.GenerateRecord().substr(171, 6), "240120");
}

TEST_P(MeineInfoTest, ComparesAgainstTheCreationDateNotTheDayOfValidation) {
  // The clock moves on after creation; the header keeps its creation date.
  MeineInfo sender(SequenceToday({kCreated, kCreated, 2024y / March / 1d}));
  sender.setBLZ("12345678");
  sender.setKontonummer("1");
  sender.setExecutionDate("240130");
  EXPECT_EQ(sender.Validate(), "SUCCESS");
  sender.setExecutionDate("240114");
  EXPECT_EQ(sender.Validate(), kDateBehind);
}

TEST_P(MeineInfoTest, PlacesTwoDigitYearsInThePosixWindow) {
  struct WindowCase {
    year_month_day created;
    const char* execution;
    std::string expected;
  } const cases[] = {
      {1999y / December / 31d, "000101", "SUCCESS"},
      {2029y / December / 31d, "300105", "SUCCESS"},
      {2068y / December / 31d, "690101", kDateBehind},  // 69 is 1969
      {2024y / February / 28d, "240229", "SUCCESS"},
      {2023y / February / 28d, "230229", kValidationFailedTypeMismatch},
      {2023y / December / 20d, "240104", "SUCCESS"},
      {2023y / December / 20d, "240105", kDateTooFar},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.execution);
    MeineInfo sender(FixedToday(c.created));
    sender.setBLZ("12345678");
    sender.setKontonummer("1");
    sender.setExecutionDate(c.execution);
    EXPECT_EQ(sender.Validate(), c.expected);
  }
}

TEST_P(MeineInfoTest, UpperCasesTheNameAndAddressLines) {
  sender_.setName("m\xC3\xBCller & s\xC3\xB6hne");
  sender_.setVorname(
      "stra\xC3\x9F"
      "e");
  sender_.setStrasse("Bahnhofstrasse 1");
  sender_.setOrtPLZ("\xC3\xA9pinal");
  EXPECT_EQ(sender_.Name(), "M\xC3\x9CLLER & S\xC3\x96HNE");
  EXPECT_EQ(sender_.Vorname(),
            "STRA\xC3\x9F"
            "E");
  EXPECT_EQ(sender_.Strasse(), "BAHNHOFSTRASSE 1");
  EXPECT_EQ(sender_.OrtPLZ(), "\xC3\x89PINAL");
}

TEST_P(MeineInfoTest, CodesAndDatesAreStoredAsGiven) {
  sender_.setBLZ("abc 123");
  sender_.setKontonummer("kto");
  sender_.setExecutionDate("jjmmtt");
  EXPECT_EQ(sender_.BLZ(), "abc 123");
  EXPECT_EQ(sender_.Kontonummer(), "kto");
  EXPECT_EQ(sender_.ExecutionDate(), "jjmmtt");
}

TEST_P(MeineInfoTest, ReportsTheFirstInvalidCharacterOfEachLine) {
  sender_.setName("M\xC3\xBCller");
  EXPECT_EQ(sender_.Validate(), NameMessage("Name", "\xC3\x9C", 2));
  sender_.setName("mueller");
  EXPECT_EQ(sender_.Validate(), "SUCCESS");

  sender_.setName("A:B;C");
  sender_.setVorname(
      "Stra\xC3\x9F"
      "e");
  sender_.setStrasse("Weg_1");
  sender_.setOrtPLZ("Z\xC3\xBCrich (CH)");
  EXPECT_EQ(sender_.Validate(),
            NameMessage("Name", ":", 2) + NameMessage("Vorname", "\xC3\x9F", 5) +
                NameMessage("Strasse", "_", 4) + NameMessage("OrtPLZ", "\xC3\x9C", 2));
}

TEST_P(MeineInfoTest, ChecksOnlyTheRenderedThirtyFiveCharacters) {
  sender_.setName(std::string(34, 'A') + "!" + "!!!!!");
  EXPECT_EQ(sender_.Validate(), NameMessage("Name", "!", 35));
  sender_.setName(std::string(35, 'A') + "!!!!!");
  EXPECT_EQ(sender_.Validate(), "SUCCESS");
  EXPECT_EQ(sender_.GenerateRecord().substr(23, 35), std::string(35, 'A'));
}

TEST_P(MeineInfoTest, ReportsControlCharactersAndReplacedBytesAsTheyAre) {
  sender_.setName("A\tB");
  EXPECT_EQ(sender_.Validate(), NameMessage("Name", "\t", 2));
  sender_.setName(std::string("AB\0", 3));
  EXPECT_EQ(sender_.Validate(), NameMessage("Name", std::string("\0", 1), 3));
  sender_.setName("AB\xFF");
  EXPECT_EQ(sender_.Name(), "AB\xEF\xBF\xBD");
  EXPECT_EQ(sender_.Validate(), NameMessage("Name", "\xEF\xBF\xBD", 3));
}

TEST_P(MeineInfoTest, CountsTheFieldsMessagesAfterTheOthers) {
  sender_.setBLZ("");
  sender_.setKontonummer("");
  sender_.setExecutionDate("24012099");
  sender_.setOrtPLZ("x?");
  EXPECT_EQ(sender_.Validate(),
            kBlzMessage + kAccountMessage + kDateLength + NameMessage("OrtPLZ", "?", 2));
}

TEST_P(MeineInfoTest, TextsTooLongToRenderGiveTheFailureTexts) {
  sender_.setName(std::string(100000, 'a'));
  EXPECT_EQ(sender_.Name(), std::string(100000, 'A'));
  EXPECT_EQ(sender_.Validate(), kValidationFailedOverflow);
  EXPECT_EQ(sender_.GenerateRecord(), kGenerationFailedOverflow);

  sender_.setName(std::string(32767, 'A'));  // the longest value that renders
  EXPECT_EQ(sender_.Validate(), "SUCCESS");
  EXPECT_EQ(sender_.GenerateRecord().size(), 256u);

  sender_.setName("");
  sender_.setBLZ(std::string(100000, '1'));
  EXPECT_EQ(sender_.Validate(), kBlzMessage);
  EXPECT_EQ(sender_.GenerateRecord(), kGenerationFailedOverflow);
}

TEST_P(MeineInfoTest, AnswersTheSameTwiceAndChangesNothing) {
  sender_.setName("M\xC3\xBCller");
  sender_.setExecutionDate("240131");
  const std::string validated = sender_.Validate();
  const std::string record = sender_.GenerateRecord();
  EXPECT_EQ(sender_.Validate(), validated);
  EXPECT_EQ(sender_.GenerateRecord(), record);
  EXPECT_EQ(validated, kDateTooFar + NameMessage("Name", "\xC3\x9C", 2));
  EXPECT_EQ(CountCodePoints(record), 256u);
  EXPECT_EQ(sender_.Name(), "M\xC3\x9CLLER");
  EXPECT_EQ(sender_.ExecutionDate(), "240131");
}

// Every property takes every text: the getter returns what was stored, and
// validation and rendering answer with a result, never a crash.
TEST_P(MeineInfoTest, TakesAnyTextInEveryProperty) {
  using Setter = void (MeineInfo::*)(std::string_view);
  using Getter = std::string (MeineInfo::*)() const;
  struct Property {
    const char* name;
    Setter set;
    Getter get;
    bool upper;
  } const properties[] = {
      {"BLZ", &MeineInfo::setBLZ, &MeineInfo::BLZ, false},
      {"Kontonummer", &MeineInfo::setKontonummer, &MeineInfo::Kontonummer, false},
      {"Name", &MeineInfo::setName, &MeineInfo::Name, true},
      {"Vorname", &MeineInfo::setVorname, &MeineInfo::Vorname, true},
      {"Strasse", &MeineInfo::setStrasse, &MeineInfo::Strasse, true},
      {"OrtPLZ", &MeineInfo::setOrtPLZ, &MeineInfo::OrtPLZ, true},
      {"ExecutionDate", &MeineInfo::setExecutionDate, &MeineInfo::ExecutionDate, false},
  };
  const std::vector<std::string> texts = HostileTexts();
  for (const auto& property : properties) {
    for (const std::string& text : texts) {
      SCOPED_TRACE(std::string(property.name) + " with " + std::to_string(text.size()) + " bytes");
      MeineInfo sender(FixedToday(kCreated));
      (sender.*property.set)(text);
      const std::string stored =
          property.upper ? ::xkdtazv::detail::ToUpper(text) : ::xkdtazv::detail::SanitizeUtf8(text);
      EXPECT_EQ((sender.*property.get)(), stored);
      const std::string validated = sender.Validate();
      EXPECT_TRUE(validated == "SUCCESS" || validated.starts_with("Fehler: ") ||
                  validated.starts_with("FEHLER: Validierung fehlgeschlagen!\r\n"))
          << validated;
      EXPECT_TRUE(validated == "SUCCESS" || validated.ends_with("\r\n"));
      const std::string record = sender.GenerateRecord();
      EXPECT_TRUE(CountCodePoints(record) == 256u ||
                  record.starts_with("FEHLER: Generierung von MeineInfo ist fehlgeschlagen!\r\n"));
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Locales, MeineInfoTest,
                         ::testing::ValuesIn(::xkdtazv::testing::BothLocales()),
                         ::xkdtazv::testing::LocaleCaseName);

}  // namespace
}  // namespace xkdtazv
