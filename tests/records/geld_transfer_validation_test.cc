// GeldTransfer::IsValid: every rule fires exactly when its condition holds,
// messages come in rule order, warnings repair their fields once, and a
// failure inside the pass replaces every finding but keeps the repairs.
#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <initializer_list>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "field/dtazv_field.h"
#include "records/geld_transfer_layout.h"
#include "records/record_values.h"
#include "test_support.h"
#include "xkdtazv/codes.h"
#include "xkdtazv/geld_transfer.h"

namespace xkdtazv {
namespace {

// BLZ_E, Kontonummer_E, Ordervermerk and the constant fields have no property,
// yet rules check and empty them. An explicit instantiation may name a private
// member, which is how these tests reach the payment's fields.
template <std::unique_ptr<detail::RecordValues> GeldTransfer::*Member>
struct FieldsAccess {
  friend detail::RecordValues& FieldsOf(GeldTransfer& payment) { return *(payment.*Member); }
};
template struct FieldsAccess<&GeldTransfer::fields_>;
detail::RecordValues& FieldsOf(GeldTransfer& payment);

using detail::T;
using W = Weisungsschluessel;
using ::xkdtazv::testing::LocaleTest;

void SetRaw(GeldTransfer& payment, T field, std::string_view value) {
  FieldsOf(payment).Set(field, value);
}
std::string StoredValue(GeldTransfer& payment, T field) {
  return std::string(FieldsOf(payment).Get(field));
}

// Characters `first` to `last` (1-based, inclusive) of an ASCII record.
std::string Slice(const std::string& record, std::size_t first, std::size_t last) {
  return record.substr(first - 1, last - first + 1);
}

constexpr std::string_view kC1 = "Fehler: Weisungsschluessel 01 nicht mit 11 oder 12 kombinierbar!";
constexpr std::string_view kC2 =
    "Fehler: Weisungsschluessel 02 nicht mit 04, 11 oder 12 kombinierbar!";
constexpr std::string_view kC3 =
    "Fehler: Weisungsschluessel 04 nicht mit 02, 11 oder 12 kombinierbar!";
constexpr std::string_view kC4 = "Fehler: Weisungsschluessel 06 nicht mit 07 kombinierbar!";
constexpr std::string_view kC5 = "Fehler: Weisungsschluessel 09 nicht mit 10 kombinierbar!";
constexpr std::string_view kC6 =
    "Fehler: Weisungsschluessel 91 ist mit Zahlungsart 11 oder 13 nicht erlaubt!";
constexpr std::string_view kC7 = "Fehler: Betrag darf nicht groesser als 12.500EUR sein!";
constexpr std::string_view kNotPositive = "Fehler: Betrag muss groesser als Null sein!";
constexpr std::string_view kC8 = "Fehler: Unbekannter LaenderCode!";
constexpr std::string_view kC9 = "Fehler: EU-Standardüberweisung für dieses Land nicht erlaubt";
constexpr std::string_view kC10 =
    "Fehler: Angegebener Laendercode und Laendercode im BIC stimmen nicht überein!";
constexpr std::string_view kE1 = "Fehler: EUE-Ueberweisung verlangt eine 11-Stellinge BIC!";
constexpr std::string_view kIbanSlash = "Fehler: IBAN muss mit / beginnen!";
constexpr std::string_view kIbanLength =
    "Fehler: IBAN muss 34-Stellig sein! Wenn Sie eine andere IBAN verwenden moechten, setzen Sie "
    "bitte davor Nullen ein um auf 34 Zeichen zu kommen!";
constexpr std::string_view kE4 =
    "Fehler: EUE-Ueberweisung verlangt im Feld Weisungsschluessel eine 10, 11 oder 12!";
constexpr std::string_view kE8 =
    "Fehler: EUE-Ueberweisung erlaubt keinen Weisungsschluessel-Zusatz, wenn keiner der "
    "Weisungsschluessel eine 10 enthaelt!";
constexpr std::string_view kE9 =
    "Warnung: Bei einer EUE-Ueberweisung darf das Feld BankLaenderCode nicht belegt werden!";
constexpr std::string_view kE10 =
    "Warnung: Bei einer EUE-Ueberweisung darf das Feld Ordervermerk nicht belegt werden!";
constexpr std::string_view kS1 = "Fehler: EU-Standardueberweisung verlangt eine 11-Stellinge BIC!";
constexpr std::string_view kS2 = "Fehler: BIC muss an den Stellen 5-6 einen ISO-Ländercode haben!";
constexpr std::string_view kS3 =
    "Fehler: EU-Standardüberweisung für das im BIC angegebene Land nicht erlaubt!";
constexpr std::string_view kS6 =
    "Fehler: EU-Standardueberweisung verlangt den Wert 00 im Feld Entgeltregelung!";
constexpr std::string_view kS7 =
    "Warnung: Bei einer EU-Stanadardueberweisung darf das Feld BLZ_E nicht belegt werden!";
constexpr std::string_view kS8 =
    "Warnung: Bei einer EU-Stanadardueberweisung darf das Feld Kontonummer_E nicht belegt "
    "werden!";
constexpr std::string_view kS9 =
    "Warnung: Bei einer EU-Stanadardueberweisung darf das Feld BankLaenderCode nicht belegt "
    "werden!";
constexpr std::string_view kS10 =
    "Warnung: Bei einer EU-Stanadardueberweisung darf das Feld Ordervermerk nicht belegt werden!";
constexpr std::string_view kS11 =
    "Warnung: Bei einer EU-Stanadardueberweisung duerfen die Weisungsschluessel-Felder nicht "
    "belegt werden!";
constexpr std::string_view kS12 =
    "Warnung: Bei einer EU-Stanadardueberweisung darf das Feld WeisungsschluesselZusatz nicht "
    "belegt werden!";
constexpr std::string_view kG1 =
    "Fehler: allgemeine Zahlung verlangt eine 11-Stellinge BIC oder eine 8-Stellige BLZ!";
constexpr std::string_view kG2 =
    "Fehler: Die dritte Stelle des BankLaenderCodes muss ein Leerzeichen sein!";

constexpr std::string_view kKindInvalid = "Fehler: Zahlungsart hat keinen gueltigen Wert!";
// The membership finding for instruction-code field `field` (1 to 4).
std::string CodeInvalid(int field) {
  return "Fehler: Weisungsschluessel" + std::to_string(field) + " hat keinen gueltigen Wert!";
}

constexpr std::string_view kConversionFailure =
    "FEHLER: Validierung fehlgeschlagen!\r\n13\r\nTypen unverträglich\r\n";
constexpr std::string_view kOverflowFailure =
    "FEHLER: Validierung fehlgeschlagen!\r\n6\r\nÜberlauf\r\n";

// The result of a pass that found `messages`, in this order.
std::string Report(std::initializer_list<std::string_view> messages) {
  std::string text;
  for (std::string_view message : messages) {
    text += message;
    text += "\r\n";
  }
  return text.empty() ? "SUCCESS" : text;
}

// The character check's finding for `field`.
std::string Invalid(std::string_view field, std::string_view character, int position) {
  std::string message = "Fehler: Das Feld \"";
  message += field;
  message += "\" enthält ein ungültiges Zeichen ";
  message += character;
  message += " an der Stelle " + std::to_string(position) + "!";
  return message;
}

constexpr std::string_view kIban34 = "DE001234567800000000001234567890AB";
static_assert(kIban34.size() == 34);

// A payment that passes every rule of its kind: a German beneficiary, the
// eleven-character BIC of a German bank, a full IBAN and an amount within the
// limit. No kind: the payment kind was never set.
std::unique_ptr<GeldTransfer> ValidPayment(std::optional<Zahlungsart> kind) {
  auto payment = std::make_unique<GeldTransfer>();
  if (kind) payment->setZahlungsart(*kind);
  payment->setLaenderCode(LaenderCodes::DEUTSCHLAND);
  payment->setBIC("ABCDDEFF123");
  payment->setIBAN(kIban34);
  payment->setBetrag("100");
  return payment;
}

using Change = std::function<void(GeldTransfer&)>;

struct RuleCase {
  const char* name;
  Change change;
  std::string expected;
};

// Each case changes a valid payment of `kind` and validates it once.
void ExpectResults(std::optional<Zahlungsart> kind, const std::vector<RuleCase>& cases) {
  for (const RuleCase& rule_case : cases) {
    SCOPED_TRACE(rule_case.name);
    auto payment = ValidPayment(kind);
    rule_case.change(*payment);
    EXPECT_EQ(payment->IsValid(), rule_case.expected);
  }
}

constexpr std::array<void (GeldTransfer::*)(W), 4> kCodeSetters{
    &GeldTransfer::setWeisungsschluessel1, &GeldTransfer::setWeisungsschluessel2,
    &GeldTransfer::setWeisungsschluessel3, &GeldTransfer::setWeisungsschluessel4};

// Instruction codes in the fields 1, 2, … in order; values need not be members.
Change Codes(std::vector<int> codes) {
  return [codes](GeldTransfer& payment) {
    for (std::size_t i = 0; i < codes.size(); ++i) {
      (payment.*kCodeSetters[i])(static_cast<W>(codes[i]));
    }
  };
}
// One instruction code in field `field` (1 to 4).
Change CodeAt(int field, int code) {
  return [field, code](GeldTransfer& payment) {
    (payment.*kCodeSetters[static_cast<std::size_t>(field - 1)])(static_cast<W>(code));
  };
}
Change Bic(std::string bic) {
  return [bic](GeldTransfer& payment) { payment.setBIC(bic); };
}
Change Country(LaenderCodes country) {
  return [country](GeldTransfer& payment) { payment.setLaenderCode(country); };
}
Change Stored(T field, std::string value) {
  return [field, value](GeldTransfer& payment) { SetRaw(payment, field, value); };
}
Change Both(Change first, Change second) {
  return [first, second](GeldTransfer& payment) {
    first(payment);
    second(payment);
  };
}
Change Nothing() {
  return [](GeldTransfer&) {};
}

constexpr int kBONL = 1, kCHQB = 2, kHOLD = 4, kPHON = 6, kTELE = 7, kPHOB = 9, kTELB = 10,
              kCORT = 11, kINTC = 12, kEURO = 91;

TEST(PaymentValidation, ValidPaymentsOfEveryKindSucceed) {
  for (std::optional<Zahlungsart> kind :
       {std::optional<Zahlungsart>(), std::optional(Zahlungsart::STANDARD),
        std::optional(Zahlungsart::TELEX_SWIFT), std::optional(Zahlungsart::EUE),
        std::optional(Zahlungsart::EU_STANDART),
        std::optional(Zahlungsart::GRENZUEBERSCHREITEND)}) {
    SCOPED_TRACE(kind ? static_cast<int>(*kind) : -1);
    EXPECT_EQ(ValidPayment(kind)->IsValid(), "SUCCESS");
  }
}

TEST(PaymentValidation, CodeCombinationsC1ToC5) {
  ExpectResults(
      Zahlungsart::STANDARD,
      {
          {"01 alone", Codes({kBONL}), "SUCCESS"},
          {"01 with 11", Codes({kBONL, kCORT}), Report({kC1})},
          {"01 with 12 in fields 3 and 4", Both(CodeAt(3, kINTC), CodeAt(4, kBONL)), Report({kC1})},
          {"01 twice with 11", Codes({kBONL, kCORT, kBONL, kCORT}), Report({kC1})},
          {"11 and 12 without 01", Codes({kCORT, kINTC}), "SUCCESS"},
          {"01 with 10", Codes({kBONL, kTELB}), "SUCCESS"},
          {"02 alone", Codes({kCHQB}), "SUCCESS"},
          {"02 with 04", Codes({kCHQB, kHOLD}), Report({kC2, kC3})},
          {"04 before 02", Codes({kHOLD, kCHQB}), Report({kC2, kC3})},
          {"02 with 11", Codes({kCHQB, kCORT}), Report({kC2})},
          {"02 with 12", Codes({kINTC, kCHQB}), Report({kC2})},
          {"02 with 01", Codes({kCHQB, kBONL}), "SUCCESS"},
          {"04 alone", Codes({kHOLD}), "SUCCESS"},
          {"04 with 11", Codes({kHOLD, kCORT}), Report({kC3})},
          {"04 with 12", Codes({kHOLD, kINTC}), Report({kC3})},
          {"04 with 01", Codes({kHOLD, kBONL}), "SUCCESS"},
          {"01, 02 and 11", Codes({kBONL, kCHQB, kCORT}), Report({kC1, kC2})},
          {"01, 02, 04 and 11", Codes({kBONL, kCHQB, kHOLD, kCORT}), Report({kC1, kC2, kC3})},
          {"06 with 07", Codes({kPHON, kTELE}), Report({kC4})},
          {"06 alone", Codes({kPHON}), "SUCCESS"},
          {"07 alone", Codes({kTELE}), "SUCCESS"},
          {"06 with 09", Codes({kPHON, kPHOB}), "SUCCESS"},
          {"09 with 10", Codes({kTELB, kPHOB}), Report({kC5})},
          {"09 alone", Codes({kPHOB}), "SUCCESS"},
          {"10 alone", Codes({kTELB}), "SUCCESS"},
          {"06, 07, 09 and 10", Codes({kPHON, kTELE, kPHOB, kTELB}), Report({kC4, kC5})},
          // 100 is stored as "100" and renders as "10": the rule sees the rendered code.
          {"09 with 100", Codes({kPHOB, 100}), Report({CodeInvalid(2), kC5})},
          // 0 renders as "00", like a field never set.
          {"0 beside 01", Codes({0, kBONL}), Report({CodeInvalid(1)})},
      });
}

// A value outside its enumeration would reach the two-digit field cut (1500
// as "15") or signed; it is reported before every other rule.
TEST(PaymentValidation, CodesThatAreNoMemberAreReportedFirst) {
  const std::string code1 = CodeInvalid(1), code2 = CodeInvalid(2), code4 = CodeInvalid(4);
  const auto kind = [](int value) {
    return [value](GeldTransfer& p) { p.setZahlungsart(static_cast<Zahlungsart>(value)); };
  };
  ExpectResults(Zahlungsart::STANDARD,
                {
                    {"kind 1500", kind(1500), Report({kKindInvalid})},
                    {"kind 100", kind(100), Report({kKindInvalid})},
                    {"kind 1", kind(1), Report({kKindInvalid})},
                    {"kind 15", kind(15), "SUCCESS"},
                    {"code 0", CodeAt(1, 0), Report({code1})},
                    {"code 100 beside 09", Codes({kPHOB, 100}), Report({code2, kC5})},
                    {"code 91 in field 4", CodeAt(4, kEURO), "SUCCESS"},
                    {"kind 1399 and code 3", Both(kind(1399), CodeAt(4, 3)),
                     Report({kKindInvalid, code4, kS11})},
                });
}

TEST(PaymentValidation, C6ForbidsCode91InBothEuKinds) {
  const Change code91 = CodeAt(2, kEURO);
  ExpectResults(Zahlungsart::EUE, {{"EUE", code91, Report({kC6, kE4})}});
  ExpectResults(Zahlungsart::EU_STANDART, {{"EU standard", code91, Report({kC6, kS11})}});
  for (std::optional<Zahlungsart> kind :
       {std::optional<Zahlungsart>(), std::optional(Zahlungsart::STANDARD),
        std::optional(Zahlungsart::TELEX_SWIFT),
        std::optional(Zahlungsart::GRENZUEBERSCHREITEND)}) {
    ExpectResults(kind, {{"general payment", code91, "SUCCESS"}});
  }
  // The rendered kind decides: 113 renders as "11", 1 as "01".
  ExpectResults(static_cast<Zahlungsart>(113),
                {{"kind 113", code91, Report({kKindInvalid, kC6, kE4})}});
  ExpectResults(static_cast<Zahlungsart>(1), {{"kind 1", code91, Report({kKindInvalid})}});
}

struct AmountCase {
  std::string amount;  // "#" stands for the locale's decimal mark
  std::string expected;
};

class AmountValidation : public LocaleTest {};

TEST_P(AmountValidation, IntegerPartAboveLimitOrAmountNotPositive) {
  const std::vector<AmountCase> cases{
      {"12500", "SUCCESS"},
      {"12500#99", "SUCCESS"},
      {"12501", Report({kC7})},
      {"12501#00", Report({kC7})},
      {"1000000", Report({kC7})},
      // Rounds to 12501.00, whose integer part is above the limit.
      {"12500#999", Report({kC7})},
      {"0#01", "SUCCESS"},
      {"1", "SUCCESS"},
      {"0", Report({kNotPositive})},
      {"0#00", Report({kNotPositive})},
      {"0#004", Report({kNotPositive})},
      {"-5", Report({kNotPositive})},
      {"-0#5", Report({kNotPositive})},
      {"-12501", Report({kNotPositive})},
      {"", Report({kNotPositive})},
      {"abc", Report({kNotPositive})},
      {"1.234,56", Report({kNotPositive})},
      {"12,05", "SUCCESS"},
      {"12.05", "SUCCESS"},
  };
  for (const Zahlungsart kind :
       {Zahlungsart::STANDARD, Zahlungsart::EUE, Zahlungsart::EU_STANDART}) {
    for (const AmountCase& amount_case : cases) {
      std::string amount = amount_case.amount;
      for (char& c : amount) {
        if (c == '#') c = mark()[0];
      }
      SCOPED_TRACE(static_cast<int>(kind));
      SCOPED_TRACE(amount);
      auto payment = ValidPayment(kind);
      payment->setBetrag(amount);
      EXPECT_EQ(payment->IsValid(), amount_case.expected);
    }
  }
}

TEST_P(AmountValidation, AmountNeverSetEndsThePassWithTheFailureText) {
  auto payment = std::make_unique<GeldTransfer>();
  payment->setLaenderCode(LaenderCodes::DEUTSCHLAND);
  payment->setBIC("ABCDDEFF123");
  EXPECT_EQ(payment->IsValid(), kConversionFailure);
}

INSTANTIATE_TEST_SUITE_P(BothLocales, AmountValidation,
                         ::testing::ValuesIn(::xkdtazv::testing::BothLocales()),
                         ::xkdtazv::testing::LocaleCaseName);

TEST(PaymentValidation, CountryRulesC8ToC10) {
  ExpectResults(
      Zahlungsart::STANDARD,
      {
          {"unknown code skips C9 and C10", Stored(detail::kLaenderCode, "XX"), Report({kC8})},
          {"codes are compared with case", Stored(detail::kLaenderCode, "de"),
           Report({kC8, Invalid("LaenderCode", "d", 1)})},
          {"no country passes C8", Both(Country(LaenderCodes::NONE), Bic("ABCD")), Report({kG1})},
          {"no country against a BIC country", Country(LaenderCodes::NONE), Report({kC10})},
          {"BIC of another country", Bic("ABCDFRFF123"), Report({kC10})},
          {"matching country", Both(Country(LaenderCodes::FRANKREICH), Bic("ABCDFRFF123")),
           "SUCCESS"},
          {"lower-case BIC", Bic("abcddeff123"), Report({kC10, Invalid("BIC", "a", 1)})},
          // Value 2 yields "E,", a fragment of the country list.
          {"fragment of the list", Country(static_cast<LaenderCodes>(2)), Report({kC10})},
          {"last character of the list", Country(static_cast<LaenderCodes>(89)), Report({kC10})},
          {"five-character BIC gives one character",
           Both(Country(static_cast<LaenderCodes>(89)), Bic("ABCDE")), Report({kG1})},
          {"empty BIC", Bic(""), Report({kC10, kG1})},
          // Positions count characters, not bytes.
          {"two-byte character in front", Bic("ÄBCDDEFF123"), Report({Invalid("BIC", "Ä", 1)})},
      });
  ExpectResults(
      Zahlungsart::EU_STANDART,
      {
          {"unknown code", Stored(detail::kLaenderCode, "XX"), Report({kC8})},
          {"country outside the EU list skips C10", Country(LaenderCodes::POLEN), Report({kC9})},
          {"Estonia is not in the EU list", Country(LaenderCodes::ESTLAND), Report({kC9})},
          {"no country passes C8 and C9", Country(LaenderCodes::NONE), Report({kC10})},
          {"fragment of the EU list", Country(static_cast<LaenderCodes>(2)), Report({kC10})},
          {"EU country", Both(Country(LaenderCodes::SPANIEN), Bic("ABCDESFF123")), "SUCCESS"},
          {"BIC of another EU country", Bic("ABCDFRFF123"), Report({kC10})},
      });
  ExpectResults(Zahlungsart::EUE,
                {
                    {"C9 only for kind 13", Country(LaenderCodes::POLEN), Report({kC10})},
                    {"BIC of another country", Bic("ABCDFRFF123"), Report({kC10})},
                    {"lower-case BIC", Bic("abcddeff123"), Report({kC10, Invalid("BIC", "a", 1)})},
                });
  // 135 renders as "13" (EU standard rules), but C9 reads the value "135".
  ExpectResults(static_cast<Zahlungsart>(135),
                {{"kind 135", Country(LaenderCodes::POLEN), Report({kKindInvalid, kC10})}});
}

TEST(PaymentValidation, EueRulesE1ToE10) {
  const Change iban_never_set = Stored(detail::kIBAN, "");
  const Change zusatz = [](GeldTransfer& payment) { payment.setWeisungsschluesselZusatz("ABC"); };
  ExpectResults(
      Zahlungsart::EUE,
      {
          {"BIC of 8 and amount 20000",
           Both(Bic("ABCDDEFF"), [](GeldTransfer& payment) { payment.setBetrag("20000"); }),
           Report({kC7, kE1})},
          {"BIC of 10", Bic("ABCDDEFF12"), Report({kE1})},
          {"BIC of 12", Bic("ABCDDEFF1234"), Report({kE1})},
          {"empty BIC", Both(Bic(""), Country(LaenderCodes::NONE)), Report({kE1})},
          {"BIC of 11 characters in 12 bytes", Bic("ABCDDEFF12Ä"),
           Report({Invalid("BIC", "Ä", 11)})},
          {"IBAN never set", iban_never_set, Report({kIbanSlash, kIbanLength})},
          {"IBAN set empty", [](GeldTransfer& payment) { payment.setIBAN(""); },
           Report({kIbanLength})},
          {"IBAN of 33", [](GeldTransfer& payment) { payment.setIBAN(kIban34.substr(1)); },
           Report({kIbanLength})},
          {"IBAN of 35", [](GeldTransfer& payment) { payment.setIBAN(std::string(kIban34) + "0"); },
           Report({kIbanLength})},
          {"IBAN of 34 characters with an umlaut",
           [](GeldTransfer& payment) { payment.setIBAN("Ä" + std::string(kIban34.substr(1))); },
           Report({Invalid("IBAN", "Ä", 2)})},
          {"IBAN without the slash", Stored(detail::kIBAN, "X" + std::string(kIban34)),
           Report({kIbanSlash})},
          {"01 in field 1", CodeAt(1, kBONL), Report({kE4})},
          {"01 in field 2", CodeAt(2, kBONL), Report({kE4})},
          {"01 in field 3", CodeAt(3, kBONL), Report({kE4})},
          {"01 in field 4", CodeAt(4, kBONL), Report({kE4})},
          {"10, 11, 12 and 10", Codes({kTELB, kCORT, kINTC, kTELB}), "SUCCESS"},
          {"10 then 01", Codes({kTELB, kBONL}), Report({kE4})},
          {"0 is stored as 0", CodeAt(1, 0), Report({CodeInvalid(1), kE4})},
          {"04 in all four", Codes({kHOLD, kHOLD, kHOLD, kHOLD}), Report({kE4, kE4, kE4, kE4})},
          // 100 renders as "10" but its value is "100".
          {"100", CodeAt(3, 100), Report({CodeInvalid(3), kE4})},
          {"Zusatz without 10", zusatz, Report({kE8})},
          {"Zusatz with 11 only", Both(zusatz, CodeAt(1, kCORT)), Report({kE8})},
          {"Zusatz with 10 in field 1", Both(zusatz, CodeAt(1, kTELB)), "SUCCESS"},
          {"Zusatz with 10 in field 2", Both(zusatz, CodeAt(2, kTELB)), "SUCCESS"},
          {"Zusatz with 10 in field 3", Both(zusatz, CodeAt(3, kTELB)), "SUCCESS"},
          {"Zusatz with 10 in field 4", Both(zusatz, CodeAt(4, kTELB)), "SUCCESS"},
          {"Zusatz with 100 rendered as 10", Both(zusatz, CodeAt(4, 100)),
           Report({CodeInvalid(4), kE4})},
          {"BankLaenderCode", [](GeldTransfer& p) { p.setBankLaenderCode("DE"); }, Report({kE9})},
          {"BankLaenderCode of one space", [](GeldTransfer& p) { p.setBankLaenderCode(" "); },
           Report({kE9})},
          // G2 belongs to general payments only.
          {"BankLaenderCode DEX", [](GeldTransfer& p) { p.setBankLaenderCode("DEX"); },
           Report({kE9})},
          {"Ordervermerk", Stored(detail::kOrdervermerk, "X"), Report({kE10})},
      });
  ExpectResults(static_cast<Zahlungsart>(113),
                {{"kind 113", Bic("ABCDDEFF"), Report({kKindInvalid, kE1})}});
}

TEST(PaymentValidation, EuStandardRulesS1ToS12) {
  ExpectResults(
      Zahlungsart::EU_STANDART,
      {
          {"BIC of 8", Bic("ABCDDEFF"), Report({kS1})},
          {"BIC of 12", Bic("ABCDDEFF1234"), Report({kS1})},
          {"BIC of 4", Both(Bic("ABCD"), Country(LaenderCodes::NONE)), Report({kS1})},
          {"empty BIC", Both(Bic(""), Country(LaenderCodes::NONE)), Report({kS1})},
          {"digits skip S3", Bic("ABCD12FF123"), Report({kC10, kS2})},
          {"signed digit", Bic("ABCD+1FF123"), Report({kC10, kS2})},
          {"negative digit", Bic("ABCD-1FF123"), Report({kC10, kS2})},
          {"country outside the EU list", Bic("ABCDPLFF123"), Report({kC10, kS3})},
          {"Poland in both", Both(Country(LaenderCodes::POLEN), Bic("ABCDPLFF123")),
           Report({kC9, kS3})},
          {"digit and letter", Bic("ABCD1AFF123"), Report({kC10, kS3})},
          {"space and digit", Bic("ABCD 1FF123"), Report({kC10, kS3})},
          {"fragment of the EU list", Bic("ABCDE,FF123"), Report({kC10})},
          {"two-byte character in front", Bic("ÄBCD12FF123"),
           Report({kC10, kS2, Invalid("BIC", "Ä", 1)})},
          {"lower-case country", Bic("ABCDdeFF123"), Report({kC10, kS3, Invalid("BIC", "d", 5)})},
          {"IBAN never set", Stored(detail::kIBAN, ""), Report({kIbanSlash, kIbanLength})},
          {"IBAN set empty", [](GeldTransfer& p) { p.setIBAN(""); }, Report({kIbanLength})},
          {"IBAN of 33", [](GeldTransfer& p) { p.setIBAN(kIban34.substr(1)); },
           Report({kIbanLength})},
          {"IBAN without the slash", Stored(detail::kIBAN, "X" + std::string(kIban34)),
           Report({kIbanSlash})},
          {"Entgeltregelung 01", [](GeldTransfer& p) { p.setEntgeltregelung("01"); },
           Report({kS6})},
          {"Entgeltregelung 1", [](GeldTransfer& p) { p.setEntgeltregelung("1"); }, Report({kS6})},
          {"Entgeltregelung 0A", [](GeldTransfer& p) { p.setEntgeltregelung("0A"); },
           Report({kS6})},
          {"Entgeltregelung 0", [](GeldTransfer& p) { p.setEntgeltregelung("0"); }, "SUCCESS"},
          {"Entgeltregelung empty", [](GeldTransfer& p) { p.setEntgeltregelung(""); }, "SUCCESS"},
          {"Entgeltregelung 000 renders 00", [](GeldTransfer& p) { p.setEntgeltregelung("000"); },
           "SUCCESS"},
          {"BLZ_E", Stored(detail::kBLZ_E, "12345678"), Report({kS7})},
          {"Kontonummer_E", Stored(detail::kKontonummer_E, "1"), Report({kS8})},
          {"BankLaenderCode", [](GeldTransfer& p) { p.setBankLaenderCode("DE"); }, Report({kS9})},
          {"Ordervermerk", Stored(detail::kOrdervermerk, "X"), Report({kS10})},
          {"01 in field 1", CodeAt(1, kBONL), Report({kS11})},
          {"01 in field 4", CodeAt(4, kBONL), Report({kS11})},
          {"four codes warn once", Codes({kTELB, kCORT, kINTC, kPHON}), Report({kS11})},
          {"0 renders as 00", CodeAt(2, 0), Report({CodeInvalid(2)})},
          {"negative code in field 1", CodeAt(1, -1), Report({CodeInvalid(1), kS11})},
          {"Zusatz", [](GeldTransfer& p) { p.setWeisungsschluesselZusatz("X"); }, Report({kS12})},
      });
}

class BicCountryNumber : public LocaleTest {};

// S2 asks the component's number recognizer, whose decimal mark is the locale's.
TEST_P(BicCountryNumber, FollowsTheLocaleDecimalMark) {
  const std::string other = mark() == "," ? "." : ",";
  const std::vector<RuleCase> cases{
      {"digit and own mark", Bic("ABCD1" + mark() + "FF123"), Report({kC10, kS2})},
      {"own mark and digit", Bic("ABCD" + mark() + "5FF123"), Report({kC10, kS2})},
      {"digit and other mark", Bic("ABCD1" + other + "FF123"), Report({kC10, kS3})},
      {"two digits", Bic("ABCD12FF123"), Report({kC10, kS2})},
      {"two letters", Bic("ABCDDEFF123"), "SUCCESS"},
      // "," stands in the EU list, "." does not; neither is a number.
      {"mark alone", Both(Bic("ABCD" + mark()), Country(LaenderCodes::NONE)),
       mark() == "," ? Report({kC10, kS1}) : Report({kC10, kS1, kS3})},
  };
  ExpectResults(Zahlungsart::EU_STANDART, cases);
}

INSTANTIATE_TEST_SUITE_P(BothLocales, BicCountryNumber,
                         ::testing::ValuesIn(::xkdtazv::testing::BothLocales()),
                         ::xkdtazv::testing::LocaleCaseName);

TEST(PaymentValidation, GeneralRulesG1AndG2) {
  const auto bank_country = [](std::string code) -> Change {
    return [code](GeldTransfer& payment) { payment.setBankLaenderCode(code); };
  };
  ExpectResults(
      Zahlungsart::STANDARD,
      {
          {"eight digits", Bic("12345678"), Report({kC10})},
          {"eight-character BIC", Bic("DEUTDEFF"), "SUCCESS"},
          {"seven digits and a letter", Bic("1234567A"), Report({kC10})},
          {"eight characters with lower case", Bic("ABCDdeff"),
           Report({kC10, Invalid("BIC", "d", 5)})},
          {"seven", Bic("ABCDDEF"), Report({kG1})},
          {"nine", Bic("ABCDDEFF1"), Report({kG1})},
          {"ten", Bic("ABCDDEFF12"), Report({kG1})},
          {"twelve", Bic("ABCDDEFF1234"), Report({kG1})},
          {"empty without country", Both(Bic(""), Country(LaenderCodes::NONE)), Report({kG1})},
          // General payments check the IBAN's characters only.
          {"IBAN never set", Stored(detail::kIBAN, ""), "SUCCESS"},
          {"short IBAN", [](GeldTransfer& p) { p.setIBAN("DE12"); }, "SUCCESS"},
          {"BankLaenderCode empty", bank_country(""), "SUCCESS"},
          {"BankLaenderCode of two letters", bank_country("DE"), "SUCCESS"},
          {"BankLaenderCode with a space third", bank_country("DE "), "SUCCESS"},
          {"BankLaenderCode of one letter", bank_country("A"), "SUCCESS"},
          {"fourth character is cut off", bank_country("DE X"), "SUCCESS"},
          {"three letters", bank_country("DEX"), Report({kG2})},
          {"four letters", bank_country("DEXY"), Report({kG2})},
          {"space in the middle", bank_country("D E"), Report({kG2})},
          {"space in front", bank_country(" DE"), Report({kG2})},
          {"three umlauts", bank_country("ÄÖÜ"), Report({kG2, Invalid("BankLaenderCode", "Ä", 1)})},
      });
  for (std::optional<Zahlungsart> kind :
       {std::optional<Zahlungsart>(), std::optional(Zahlungsart::TELEX_SWIFT),
        std::optional(Zahlungsart::GRENZUEBERSCHREITEND)}) {
    SCOPED_TRACE(kind ? static_cast<int>(*kind) : -1);
    ExpectResults(kind, {
                            {"nine", Bic("ABCDDEFF1"), Report({kG1})},
                            {"three letters", bank_country("DEX"), Report({kG2})},
                            {"eight digits", Bic("12345678"), Report({kC10})},
                        });
  }
}

struct CharacterCase {
  const char* field;
  Change change;
  std::string character;
  int position;
};

TEST(PaymentValidation, CharacterChecksNameFieldCharacterAndPosition) {
  const std::vector<CharacterCase> cases{
      {"ISOWaehrungsCode_E", Stored(detail::kISOWaehrungsCode_E, "eur"), "e", 1},
      {"BIC", Bic("ABCDDEFF12a"), "a", 11},
      {"BankLaenderCode", [](GeldTransfer& p) { p.setBankLaenderCode("D?"); }, "?", 2},
      {"Name", [](GeldTransfer& p) { p.setName("Müller"); }, "Ü", 2},
      {"Vorname", [](GeldTransfer& p) { p.setVorname("Jean-Luc (Jr)"); }, "(", 10},
      {"Strasse", [](GeldTransfer& p) { p.setStrasse("Weg 1!"); }, "!", 6},
      {"OrtPLZ", [](GeldTransfer& p) { p.setOrtPLZ("12345 Köln"); }, "Ö", 8},
      {"Ordervermerk", Stored(detail::kOrdervermerk, "A@B"), "@", 2},
      {"IBAN", [](GeldTransfer& p) { p.setIBAN("DE00 1234_5678"); }, "_", 11},
      {"Auftragswaehrung", Stored(detail::kAuftragswaehrung, "€"), "€", 1},
      {"Verwendungszweck1", [](GeldTransfer& p) { p.setVerwendungszweck1("Rechnung #1"); }, "#",
       10},
      {"Verwendungszweck2", [](GeldTransfer& p) { p.setVerwendungszweck2("a;b"); }, ";", 2},
      {"Verwendungszweck3", [](GeldTransfer& p) { p.setVerwendungszweck3("50 €"); }, "€", 4},
      {"Verwendungszweck4", [](GeldTransfer& p) { p.setVerwendungszweck4("x=y"); }, "=", 2},
      {"WeisungsschluesselZusatz", [](GeldTransfer& p) { p.setWeisungsschluesselZusatz("abc"); },
       "a", 1},
      {"VariableText", [](GeldTransfer& p) { p.setVariableText("A\tB"); }, "\t", 2},
      {"Ansprechpartner", [](GeldTransfer& p) { p.setAnsprechpartner("Kasse"); }, "a", 2},
  };
  for (const CharacterCase& character_case : cases) {
    SCOPED_TRACE(character_case.field);
    auto payment = ValidPayment(Zahlungsart::STANDARD);
    character_case.change(*payment);
    EXPECT_EQ(
        payment->IsValid(),
        Report({Invalid(character_case.field, character_case.character, character_case.position)}));
  }
  // LaenderCode is checked in CountryRulesC8ToC10: a code with such a character is unknown too.
}

TEST(PaymentValidation, CharacterChecksMessageIsWrittenOutInFull) {
  auto payment = ValidPayment(Zahlungsart::STANDARD);
  payment->setName("Müller");
  EXPECT_EQ(payment->IsValid(),
            "Fehler: Das Feld \"Name\" enthält ein ungültiges Zeichen Ü an der Stelle 2!\r\n");
}

TEST(PaymentValidation, CharacterChecksPassOrReportOnlyTheFirstCharacter) {
  ExpectResults(
      Zahlungsart::STANDARD,
      {
          {"every allowed character",
           [](GeldTransfer& p) { p.setName("MUELLER & SOHN $%*+,-./0123456789"); }, "SUCCESS"},
          {"upper-cased on writing", [](GeldTransfer& p) { p.setName("abc xyz"); }, "SUCCESS"},
          {"cut off behind the width",
           [](GeldTransfer& p) { p.setName(std::string(35, 'A') + "!"); }, "SUCCESS"},
          {"cut off behind 70", Stored(detail::kOrdervermerk, std::string(70, 'A') + "!"),
           "SUCCESS"},
          {"first of several", [](GeldTransfer& p) { p.setName("ÄÖÜ"); },
           Report({Invalid("Name", "Ä", 1)})},
          {"sharp s has no capital", [](GeldTransfer& p) { p.setName("ß"); },
           Report({Invalid("Name", "ß", 1)})},
          {"invalid UTF-8", [](GeldTransfer& p) { p.setName("A\xff"); },
           Report({Invalid("Name", "\xEF\xBF\xBD", 2)})},
          {"carriage return", [](GeldTransfer& p) { p.setVerwendungszweck1("A\rB"); },
           Report({Invalid("Verwendungszweck1", "\r", 2)})},
          {"fields in list order",
           [](GeldTransfer& p) {
             p.setAnsprechpartner("x");
             p.setName("Ä");
             p.setBIC("ABCDDEFF12a");
             SetRaw(p, detail::kISOWaehrungsCode_E, "e");
           },
           Report({Invalid("ISOWaehrungsCode_E", "e", 1), Invalid("BIC", "a", 11),
                   Invalid("Name", "Ä", 1), Invalid("Ansprechpartner", "x", 1)})},
      });
}

TEST(PaymentValidation, CharacterChecksSeeTheFieldsAsTheKindRulesLeftThem) {
  ExpectResults(
      Zahlungsart::EUE,
      {
          {"emptied by E9", [](GeldTransfer& p) { p.setBankLaenderCode("d"); }, Report({kE9})},
          {"emptied by E10", Stored(detail::kOrdervermerk, "x"), Report({kE10})},
          {"kept by EUE", Stored(detail::kISOWaehrungsCode_E, "e"),
           Report({Invalid("ISOWaehrungsCode_E", "e", 1)})},
      });
  ExpectResults(Zahlungsart::EU_STANDART,
                {
                    {"emptied by S13", Stored(detail::kISOWaehrungsCode_E, "e"), "SUCCESS"},
                    {"emptied by S12", [](GeldTransfer& p) { p.setWeisungsschluesselZusatz("x"); },
                     Report({kS12})},
                });
  // "ABCDdeff" became "ABCDdeffXXX" before the check.
  ExpectResults(Zahlungsart::STANDARD,
                {{"completed by G1", Bic("ABCDdeff"), Report({kC10, Invalid("BIC", "d", 5)})}});
}

TEST(PaymentValidation, MessagesFollowTheRuleOrder) {
  ExpectResults(Zahlungsart::EU_STANDART,
                {
                    {"common rules, then S11",
                     Both(Codes({kBONL, kCHQB, kHOLD, kCORT}),
                          [](GeldTransfer& p) {
                            p.setBetrag("12501");
                            p.setLaenderCode(LaenderCodes::POLEN);
                          }),
                     Report({kC1, kC2, kC3, kC7, kC9, kS11})},
                    {"C4, C5, the amount, C8",
                     Both(Codes({kPHON, kTELE, kPHOB, kTELB}),
                          [](GeldTransfer& p) {
                            p.setBetrag("0");
                            SetRaw(p, detail::kLaenderCode, "XX");
                          }),
                     Report({kC4, kC5, kNotPositive, kC8, kS11})},
                    {"every EU standard rule",
                     [](GeldTransfer& p) {
                       p.setBIC("ABCD12FF");
                       SetRaw(p, detail::kIBAN, "");
                       p.setEntgeltregelung("1");
                       SetRaw(p, detail::kBLZ_E, "1");
                       SetRaw(p, detail::kKontonummer_E, "2");
                       p.setBankLaenderCode("DE");
                       SetRaw(p, detail::kOrdervermerk, "X");
                       p.setWeisungsschluessel1(W::BONL);
                       p.setWeisungsschluesselZusatz("X");
                       p.setName("ä");
                     },
                     Report({kC10, kS1, kS2, kIbanSlash, kIbanLength, kS6, kS7, kS8, kS9, kS10,
                             kS11, kS12, Invalid("Name", "Ä", 1)})},
                });
  ExpectResults(
      Zahlungsart::EUE,
      {
          {"C5, C6, the amount, C10, E4 three times",
           Both(Codes({kPHOB, kTELB, kEURO, kTELE}),
                [](GeldTransfer& p) {
                  p.setBetrag("-1");
                  p.setBIC("ABCDFRFF123");
                }),
           Report({kC5, kC6, kNotPositive, kC10, kE4, kE4, kE4})},
          {"every EUE rule",
           [](GeldTransfer& p) {
             p.setBIC("ABCDDEFF");
             SetRaw(p, detail::kIBAN, "");
             p.setWeisungsschluessel1(W::BONL);
             p.setWeisungsschluesselZusatz("X");
             p.setBankLaenderCode("DE");
             SetRaw(p, detail::kOrdervermerk, "X");
             p.setName("ä");
           },
           Report({kE1, kIbanSlash, kIbanLength, kE4, kE8, kE9, kE10, Invalid("Name", "Ä", 1)})},
      });
  ExpectResults(Zahlungsart::STANDARD, {{"every general rule",
                                         [](GeldTransfer& p) {
                                           p.setBIC("ABCDDEFF1");
                                           p.setBankLaenderCode("DEX");
                                           p.setName("ä");
                                         },
                                         Report({kG1, kG2, Invalid("Name", "Ä", 1)})}});
}

// Every field value of the payment, in record order.
std::vector<std::string> Snapshot(GeldTransfer& payment) {
  std::vector<std::string> values;
  const detail::RecordValues& fields = FieldsOf(payment);
  for (std::size_t i = 0; i < fields.size(); ++i) values.emplace_back(fields.Get(i));
  return values;
}

// The indexes of the fields whose values differ.
std::set<std::size_t> Changed(const std::vector<std::string>& before,
                              const std::vector<std::string>& after) {
  std::set<std::size_t> changed;
  for (std::size_t i = 0; i < before.size(); ++i) {
    if (before[i] != after[i]) changed.insert(i);
  }
  return changed;
}

// Every field filled, the ones without a property included.
void FillEverything(GeldTransfer& payment) {
  payment.setBankLaenderCode("DE");
  payment.setName("Name");
  payment.setVorname("Vorname");
  payment.setStrasse("Strasse 1");
  payment.setOrtPLZ("12345 Ort");
  payment.setVerwendungszweck1("Zweck 1");
  payment.setVerwendungszweck2("Zweck 2");
  payment.setVerwendungszweck3("Zweck 3");
  payment.setVerwendungszweck4("Zweck 4");
  payment.setWeisungsschluessel1(W::TELB);
  payment.setWeisungsschluessel2(W::CORT);
  payment.setWeisungsschluessel3(W::INTC);
  payment.setWeisungsschluessel4(W::TELB);
  payment.setWeisungsschluesselZusatz("ZUSATZ");
  payment.setVariableText("Text");
  payment.setAnsprechpartner("KASSE");
  for (T field : {detail::kBLZ, detail::kKontonummer, detail::kExecutionDate, detail::kBLZ_E,
                  detail::kKontonummer_E, detail::kBankAnschrift2, detail::kBankAnschrift3,
                  detail::kBankAnschrift4, detail::kOrdervermerk, detail::kReserve}) {
    SetRaw(payment, field, "1");
  }
}

TEST(PaymentValidation, WritesOnlyTheSixteenRepairedFields) {
  using namespace detail;
  struct WriteCase {
    const char* name;
    std::optional<Zahlungsart> kind;
    Change change;
    std::set<std::size_t> changed;
  };
  const std::vector<WriteCase> cases{
      {"EUE, E9 to E11",
       Zahlungsart::EUE,
       FillEverything,
       {kBankLaenderCode, kBankAnschrift1, kOrdervermerk}},
      {"EUE, E11 only", Zahlungsart::EUE, Nothing(), {kBankAnschrift1}},
      {"EU standard, S7 to S13",
       Zahlungsart::EU_STANDART,
       FillEverything,
       {kBLZ_E, kISOWaehrungsCode_E, kKontonummer_E, kBankLaenderCode, kBankAnschrift1,
        kOrdervermerk, kWeisungsschluessel1, kWeisungsschluessel2, kWeisungsschluessel3,
        kWeisungsschluessel4, kWeisungsschluesselZusatz, kErweiterungskennzeichen}},
      {"EU standard, S13 only",
       Zahlungsart::EU_STANDART,
       Nothing(),
       {kISOWaehrungsCode_E, kBankAnschrift1, kErweiterungskennzeichen}},
      {"general, eight characters",
       Zahlungsart::STANDARD,
       Both(FillEverything, Bic("DEUTDEFF")),
       {kBIC}},
      {"general, eleven characters", Zahlungsart::STANDARD, FillEverything, {}},
      {"general, nine characters", std::nullopt, Both(FillEverything, Bic("DEUTDEFF1")), {}},
  };
  for (const WriteCase& write_case : cases) {
    SCOPED_TRACE(write_case.name);
    auto payment = ValidPayment(write_case.kind);
    write_case.change(*payment);
    const std::vector<std::string> before = Snapshot(*payment);
    payment->IsValid();
    const std::vector<std::string> after = Snapshot(*payment);
    EXPECT_EQ(Changed(before, after), write_case.changed);
    for (std::size_t field : write_case.changed) {
      if (field != kBIC) {
        EXPECT_EQ(after[field], "") << field;
      }
    }
  }
}

TEST(PaymentValidation, EuStandardBlanksItsFieldsInTheRecord) {
  auto payment = ValidPayment(Zahlungsart::EU_STANDART);
  ASSERT_EQ(payment->IsValid(), "SUCCESS");
  const std::string record = payment->GenerateRecord();
  ASSERT_EQ(record.size(), 768u);
  EXPECT_EQ(Slice(record, 41, 43), "   ");
  EXPECT_EQ(Slice(record, 68, 102), std::string(35, ' '));
  EXPECT_EQ(Slice(record, 767, 768), "00");
}

TEST(PaymentValidation, WarningsEmptyTheirFieldsAndDoNotComeBack) {
  auto eu = ValidPayment(Zahlungsart::EU_STANDART);
  FillEverything(*eu);
  EXPECT_EQ(eu->IsValid(), Report({kS7, kS8, kS9, kS10, kS11, kS12}));
  const std::string record = eu->GenerateRecord();
  ASSERT_EQ(record.size(), 768u);
  EXPECT_EQ(Slice(record, 33, 40), "00000000");
  EXPECT_EQ(Slice(record, 44, 53), "0000000000");
  EXPECT_EQ(Slice(record, 65, 67), "   ");
  EXPECT_EQ(Slice(record, 351, 420), std::string(70, ' '));
  EXPECT_EQ(Slice(record, 616, 623), "00000000");
  EXPECT_EQ(Slice(record, 624, 648), std::string(25, ' '));
  EXPECT_EQ(eu->BankLaenderCode(), "");
  EXPECT_EQ(eu->WeisungsschluesselZusatz(), "");
  EXPECT_EQ(eu->IsValid(), "SUCCESS");

  auto eue = ValidPayment(Zahlungsart::EUE);
  eue->setBankLaenderCode("DE");
  SetRaw(*eue, detail::kOrdervermerk, "X");
  EXPECT_EQ(eue->IsValid(), Report({kE9, kE10}));
  EXPECT_EQ(eue->BankLaenderCode(), "");
  const std::string eue_record = eue->GenerateRecord();
  ASSERT_EQ(eue_record.size(), 768u);
  EXPECT_EQ(Slice(eue_record, 65, 67), "   ");
  EXPECT_EQ(Slice(eue_record, 68, 102), std::string(35, ' '));
  EXPECT_EQ(Slice(eue_record, 351, 420), std::string(70, ' '));
  EXPECT_EQ(eue->IsValid(), "SUCCESS");
}

TEST(PaymentValidation, ErrorsComeBackWhileTheirCauseStays) {
  auto eue = ValidPayment(Zahlungsart::EUE);
  eue->setBIC("ABCDDEFF");
  eue->setBankLaenderCode("DE");
  EXPECT_EQ(eue->IsValid(), Report({kE1, kE9}));
  EXPECT_EQ(eue->IsValid(), Report({kE1}));
}

TEST(PaymentValidation, EightCharacterBicIsCompletedOnce) {
  struct BicCase {
    const char* bic;
    const char* completed;
    std::string expected;
  };
  const std::vector<BicCase> cases{
      {"12345678", "///12345678", Report({kC10})},
      {"DEUTDEFF", "DEUTDEFFXXX", "SUCCESS"},
      {"1234567A", "1234567AXXX", Report({kC10})},
      // Digits outside ASCII are no bank code.
      {"１２３４５６７８", "１２３４５６７８XXX", Report({kC10, Invalid("BIC", "１", 1)})},
  };
  for (const BicCase& bic_case : cases) {
    SCOPED_TRACE(bic_case.bic);
    auto payment = ValidPayment(Zahlungsart::STANDARD);
    payment->setBIC(bic_case.bic);
    EXPECT_EQ(payment->IsValid(), bic_case.expected);
    EXPECT_EQ(payment->BIC(), bic_case.completed);
    EXPECT_EQ(payment->IsValid(), bic_case.expected);
    EXPECT_EQ(payment->BIC(), bic_case.completed);
  }
  auto payment = ValidPayment(Zahlungsart::STANDARD);
  payment->setBIC("12345678");
  payment->IsValid();
  EXPECT_EQ(Slice(payment->GenerateRecord(), 54, 64), "///12345678");
  for (const char* bic : {"ABCDDEF", "ABCDDEFF1", "ABCDDEFF12"}) {
    SCOPED_TRACE(bic);
    payment->setBIC(bic);
    EXPECT_EQ(payment->IsValid(), Report({kG1}));
    EXPECT_EQ(payment->BIC(), bic);
  }
}

TEST(PaymentValidation, ChangingTheKindDoesNotRestoreEmptiedFields) {
  auto payment = ValidPayment(Zahlungsart::EU_STANDART);
  payment->setWeisungsschluessel1(W::TELB);
  EXPECT_EQ(payment->IsValid(), Report({kS11}));
  payment->setZahlungsart(Zahlungsart::STANDARD);
  EXPECT_EQ(payment->IsValid(), "SUCCESS");
  const std::string record = payment->GenerateRecord();
  EXPECT_EQ(Slice(record, 41, 43), "   ");
  EXPECT_EQ(Slice(record, 68, 102), std::string(35, ' '));
  EXPECT_EQ(Slice(record, 616, 617), "00");
}

class ValidationFailure : public LocaleTest {};

TEST_P(ValidationFailure, AmountNeverSetDropsEarlierMessagesAndStopsThePass) {
  auto payment = ValidPayment(Zahlungsart::EU_STANDART);
  SetRaw(*payment, detail::kBetragVorkomma, "");
  SetRaw(*payment, detail::kBetragNachkomma, "");
  Codes({kBONL, kCORT})(*payment);
  payment->setBankLaenderCode("DE");
  EXPECT_EQ(payment->IsValid(), kConversionFailure);
  // The pass stopped at C7, before S9 and S13.
  EXPECT_EQ(payment->BankLaenderCode(), "DE");
  EXPECT_EQ(StoredValue(*payment, detail::kISOWaehrungsCode_E), "EUR");
}

// A negative code breaks the instruction codes' number after the repairs of S7 to S10.
TEST_P(ValidationFailure, InstructionCodesThatAreNoNumberKeepEarlierRepairs) {
  auto payment = ValidPayment(Zahlungsart::EU_STANDART);
  Codes({kBONL, -1})(*payment);
  payment->setBetrag("0");
  payment->setBankLaenderCode("DE");
  SetRaw(*payment, detail::kOrdervermerk, "X");
  EXPECT_EQ(payment->IsValid(), kConversionFailure);
  EXPECT_EQ(payment->BankLaenderCode(), "");
  EXPECT_EQ(StoredValue(*payment, detail::kOrdervermerk), "");
  EXPECT_EQ(StoredValue(*payment, detail::kWeisungsschluessel1), "1");
  EXPECT_EQ(StoredValue(*payment, detail::kWeisungsschluessel2), "-1");
  EXPECT_EQ(StoredValue(*payment, detail::kISOWaehrungsCode_E), "EUR");
  EXPECT_EQ(payment->IsValid(), kConversionFailure);
}

INSTANTIATE_TEST_SUITE_P(BothLocales, ValidationFailure,
                         ::testing::ValuesIn(::xkdtazv::testing::BothLocales()),
                         ::xkdtazv::testing::LocaleCaseName);

// A value longer than 32767 characters cannot be rendered, so its character
// check fails after every rule of the kind has run.
TEST(PaymentValidation, UncheckableFieldKeepsTheRepairsOfTheKindRules) {
  const std::string too_long(32768, 'A');

  auto general = ValidPayment(Zahlungsart::STANDARD);
  general->setBIC("DEUTDEFF");
  general->setName(too_long);
  EXPECT_EQ(general->IsValid(), kOverflowFailure);
  EXPECT_EQ(general->BIC(), "DEUTDEFFXXX");

  auto eue = ValidPayment(Zahlungsart::EUE);
  eue->setBankLaenderCode("DE");
  eue->setName("ä");
  eue->setVerwendungszweck4(too_long);
  EXPECT_EQ(eue->IsValid(), kOverflowFailure);
  EXPECT_EQ(eue->BankLaenderCode(), "");
  EXPECT_EQ(StoredValue(*eue, detail::kBankAnschrift1), "");

  auto longest = ValidPayment(Zahlungsart::STANDARD);
  longest->setName(std::string(32767, 'A'));
  EXPECT_EQ(longest->IsValid(), "SUCCESS");
}

}  // namespace
}  // namespace xkdtazv
