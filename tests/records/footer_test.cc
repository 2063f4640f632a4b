// The Z record: control totals rendered into fixed fields, and their check.
#include "records/footer.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "test_support.h"

namespace xkdtazv::detail {
namespace {

using ::xkdtazv::testing::LocaleTest;

constexpr std::string_view kTotalNotPositive = "Fehler: Gesamtbetrag ist kleiner/gleich Null!\r\n";
constexpr std::string_view kCountNotPositive =
    "Fehler: Gesamtanzahl der Transaktionen ist kleiner/gleich Null!\r\n";
constexpr std::string_view kConversionFailure =
    "FEHLER: Validierung fehlgeschlagen!\r\n13\r\nTypen unverträglich\r\n";
constexpr std::string_view kOverflowFailure =
    "FEHLER: Validierung fehlgeschlagen!\r\n6\r\nÜberlauf\r\n";

struct ValidateCase {
  std::string total;
  std::string count;
  std::string expected;
};

class FooterValidate : public LocaleTest {};

// The totals as the file writes them, plain digits, read the same in every locale.
TEST_P(FooterValidate, ReportsTotalsNotAboveZero) {
  const std::string both = std::string(kTotalNotPositive) + std::string(kCountNotPositive);
  const std::vector<ValidateCase> cases{
      {"301", "2", "SUCCESS"},
      {"1", "1", "SUCCESS"},
      {"1", "32767", "SUCCESS"},
      {"999999999999999", "1", "SUCCESS"},
      {"0", "0", both},
      {"-3", "1", std::string(kTotalNotPositive)},
      {"0", "5", std::string(kTotalNotPositive)},
      {"1", "0", std::string(kCountNotPositive)},
      {"1", "-1", std::string(kCountNotPositive)},
      {"1", "-32768", std::string(kCountNotPositive)},
      {"-1", "-1", both},
      // A total or count that does not convert replaces every message.
      {"", "1", std::string(kConversionFailure)},
      {"1", "", std::string(kConversionFailure)},
      {"", "", std::string(kConversionFailure)},
      {"abc", "1", std::string(kConversionFailure)},
      {"0", "abc", std::string(kConversionFailure)},
      {"1", "40000", std::string(kOverflowFailure)},
      {"1", "32768", std::string(kOverflowFailure)},
      {"1", "-32769", std::string(kOverflowFailure)},
      {"0", "40000", std::string(kOverflowFailure)},
  };
  for (const ValidateCase& validate_case : cases) {
    SCOPED_TRACE("TotalBetrag \"" + validate_case.total + "\", TotalTransactions \"" +
                 validate_case.count + "\"");
    Footer footer;
    footer.setTotalBetrag(validate_case.total);
    footer.setTotalTransactions(validate_case.count);
    EXPECT_EQ(footer.Validate(), validate_case.expected);
  }
}

TEST_P(FooterValidate, TotalsNeverSetFail) { EXPECT_EQ(Footer().Validate(), kConversionFailure); }

INSTANTIATE_TEST_SUITE_P(BothLocales, FooterValidate,
                         ::testing::ValuesIn(::xkdtazv::testing::BothLocales()),
                         ::xkdtazv::testing::LocaleCaseName);

TEST(FooterRecord, TotalsStandRightAlignedInZeros) {
  Footer footer;
  footer.setTotalBetrag("301");
  footer.setTotalTransactions("2");
  EXPECT_EQ(footer.GenerateRecord(), "0256Z000000000000301000000000000002" + std::string(221, ' '));
}

TEST(FooterRecord, AlwaysTwoHundredFiftySixCharacters) {
  struct RecordCase {
    const char* name;
    std::string total;
    std::string count;
    std::string totals;  // characters 6 to 35
  };
  const std::vector<RecordCase> cases{
      {"never set", "", "", std::string(30, '0')},
      {"negative total", "-3", "1", "0000000000000-3000000000000001"},
      {"exactly fifteen", "123456789012345", "999999999999999", "123456789012345999999999999999"},
      {"cut to the first fifteen", "12345678901234567890", "1234567890123456",
       "123456789012345123456789012345"},
      {"text kept as given", " 1 ", "x", "000000000000 1 00000000000000x"},
  };
  for (const RecordCase& record_case : cases) {
    SCOPED_TRACE(record_case.name);
    Footer footer;
    footer.setTotalBetrag(record_case.total);
    footer.setTotalTransactions(record_case.count);
    EXPECT_EQ(footer.TotalBetrag(), record_case.total);
    EXPECT_EQ(footer.TotalTransactions(), record_case.count);
    const std::string record = footer.GenerateRecord();
    ASSERT_EQ(record.size(), 256u);
    EXPECT_EQ(record.substr(0, 5), "0256Z");
    EXPECT_EQ(record.substr(5, 30), record_case.totals);
    EXPECT_EQ(record.substr(35), std::string(221, ' '));
  }
}

TEST(FooterRecord, TotalThatCannotBeRenderedGivesTheFailureText) {
  Footer footer;
  footer.setTotalBetrag(std::string(32768, '1'));
  footer.setTotalTransactions("1");
  EXPECT_EQ(footer.GenerateRecord(),
            "FEHLER: Generierung vom Footer fehlgeschlagen!\r\n6\r\nÜberlauf\r\n");
  footer.setTotalBetrag(std::string(32767, '1'));
  EXPECT_EQ(footer.GenerateRecord().size(), 256u);
}

}  // namespace
}  // namespace xkdtazv::detail
