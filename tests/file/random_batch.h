// Random batches for the differential test: a sender and payments as plain
// data (which property gets which value), drawn from a seeded generator, so
// that every writer of the component can be fed the same batch. Values reach
// to and beyond their field widths, hold umlauts, characters outside
// Windows-1252, invalid UTF-8 and control characters, and codes outside their
// enumerations.
//
//   BatchGenerator generator(20261208);
//   Batch batch = generator.Next();
//   ApplySender(batch, *file.GetMeineInfo());
//
// Documents(n) draws batches that pass the pain.001 checks in the main, so
// that documents get written: valid accounts, a town for every party, texts
// in German, other scripts and beyond their lengths.
#ifndef XKDTAZV_TESTS_FILE_RANDOM_BATCH_H_
#define XKDTAZV_TESTS_FILE_RANDOM_BATCH_H_

#include <array>
#include <cstdint>
#include <functional>
#include <random>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "xkdtazv/xkdtazv.h"

namespace xkdtazv::testing {

// One property write: the property's name and the text or code it gets.
struct TextWrite {
  std::string_view property;
  std::string value;
};
struct CodeWrite {
  std::string_view property;
  std::int32_t value;
};

struct RandomPayment {
  std::vector<TextWrite> texts;
  std::vector<CodeWrite> codes;
};

struct Batch {
  bool comma_locale = true;  // the "," locale, else the "." locale
  std::string pfad;
  std::string diff_file_name;
  std::vector<TextWrite> sender;
  std::vector<RandomPayment> payments;
};

// The text properties of each record, with the width of the field they fill.
struct TextProperty {
  std::string_view name;
  int width;
};
inline constexpr std::array<TextProperty, 7> kSenderTexts{{{"BLZ", 8},
                                                           {"Kontonummer", 10},
                                                           {"Name", 35},
                                                           {"Vorname", 35},
                                                           {"Strasse", 35},
                                                           {"OrtPLZ", 35},
                                                           {"ExecutionDate", 6}}};
inline constexpr std::array<TextProperty, 16> kPaymentTexts{{{"BIC", 11},
                                                             {"BankLaenderCode", 3},
                                                             {"Name", 35},
                                                             {"Vorname", 35},
                                                             {"Strasse", 35},
                                                             {"OrtPLZ", 35},
                                                             {"IBAN", 34},
                                                             {"Betrag", 17},
                                                             {"Verwendungszweck1", 35},
                                                             {"Verwendungszweck2", 35},
                                                             {"Verwendungszweck3", 35},
                                                             {"Verwendungszweck4", 35},
                                                             {"WeisungsschluesselZusatz", 25},
                                                             {"Entgeltregelung", 2},
                                                             {"VariableText", 27},
                                                             {"Ansprechpartner", 35}}};
inline constexpr std::array<std::string_view, 6> kPaymentCodes{
    "Zahlungsart",         "LaenderCode",         "Weisungsschluessel1",
    "Weisungsschluessel2", "Weisungsschluessel3", "Weisungsschluessel4"};

class BatchGenerator {
 public:
  explicit BatchGenerator(std::uint64_t seed) : random_(seed) {}

  Batch Next() {
    if (Chance(6)) return Clean();
    Batch batch;
    batch.comma_locale = Chance(2);
    batch.pfad = Chance(40) ? "" : "out";
    batch.diff_file_name = OneOf<std::string>({"", "   ", "DTAZV.TXT", " X ", "Z\xC3\xA4hlung"});
    for (const TextProperty& property : kSenderTexts) {
      if (!Chance(8)) batch.sender.push_back({property.name, SenderValue(property)});
    }
    const std::size_t count = Chance(20) ? 0 : Below(7);
    for (std::size_t i = 0; i < count; ++i) batch.payments.push_back(Payment());
    return batch;
  }

  Batch Documents(std::size_t payments) {
    Batch batch;
    batch.comma_locale = Chance(2);
    batch.pfad = "out";
    batch.diff_file_name = OneOf<std::string>({"", "DTAZV.TXT", "Z\xC3\xA4hlung 1"});
    batch.sender = {{"BLZ", Digits(8)},
                    {"Kontonummer", Digits(1 + Below(10))},
                    {"Name", WritableName(40)},
                    {"OrtPLZ", TownLine(5, 20)}};
    if (Chance(2)) batch.sender.push_back({"Strasse", WritableText(Below(40))});
    if (Chance(3)) batch.sender.push_back({"Vorname", WritableText(Below(20))});
    if (Chance(3)) batch.sender.push_back({"ExecutionDate", "261210"});
    for (std::size_t i = 0; i < payments; ++i) batch.payments.push_back(WritablePayment(batch));
    return batch;
  }

 private:
  std::uint32_t Below(std::uint32_t n) { return static_cast<std::uint32_t>(random_() % n); }
  bool Chance(std::uint32_t one_in) { return Below(one_in) == 0; }
  template <typename V>
  V OneOf(std::initializer_list<V> values) {
    return *(values.begin() + Below(static_cast<std::uint32_t>(values.size())));
  }

  // A piece of text of one kind, chosen mostly from what hosts really send.
  std::string Piece() {
    static constexpr std::array<std::string_view, 24> kPieces{"A",
                                                              "Z",
                                                              "M",
                                                              "q",
                                                              "7",
                                                              "0",
                                                              " ",
                                                              "&",
                                                              "-",
                                                              "/",
                                                              ".",
                                                              ",",
                                                              ":",
                                                              "\xC3\xA4",
                                                              "\xC3\x9F",
                                                              "\xC3\x89",
                                                              "\xE2\x82\xAC",
                                                              "\xCE\xA9",
                                                              "\xE6\xBC\xA2",
                                                              "\xFF",
                                                              "\xC3",
                                                              "\r\n",
                                                              std::string_view("\0", 1),
                                                              "FEHLER"};
    if (Below(3) != 0) return std::string(1, static_cast<char>('A' + Below(26)));
    return std::string(kPieces[Below(kPieces.size())]);
  }

  // A text of about `length` pieces.
  std::string Text(std::size_t length) {
    std::string text;
    for (std::size_t i = 0; i < length; ++i) text += Piece();
    return text;
  }

  // Lengths around the field's width: empty, short, exactly it, one more, far beyond.
  std::size_t Length(int width) {
    switch (Below(10)) {
      case 0:
        return 0;
      case 1:
        return static_cast<std::size_t>(width);
      case 2:
        return static_cast<std::size_t>(width) + 1;
      case 3:
        return 40 + Below(300);
      default:
        return 1 + Below(static_cast<std::uint32_t>(width));
    }
  }

  std::string Digits(std::size_t n) {
    std::string digits;
    for (std::size_t i = 0; i < n; ++i) digits += static_cast<char>('0' + Below(10));
    return digits;
  }

  std::string SenderValue(const TextProperty& property) {
    if (property.name == "BLZ") return Chance(4) ? Text(Length(8)) : Digits(Chance(6) ? 9 : 8);
    if (property.name == "Kontonummer") return Chance(4) ? Text(Length(10)) : Digits(1 + Below(11));
    if (property.name == "ExecutionDate") {
      return OneOf<std::string>({"261208", "261210", "261223", "261207", "270101", "2612", "ab1208",
                                 "261232", "", "26120800"});
    }
    return Text(Length(property.width));
  }

  std::string Amount() {
    std::string amount = OneOf<std::string>({"123,45", "12.5", "-5", "0", "0,004", "1,999", "12500",
                                             "12500,01", "abc", "", "1e5", "99999999999999999",
                                             "7,", ",5", "+3,10", "1.234,56", "\xC3\xA4"});
    if (Chance(3)) {
      // Drawn one after the other, so that every compiler makes the same batches.
      const std::string fraction = Digits(Below(4));
      amount = std::to_string(Below(20000)) + "," + fraction;
    }
    return amount;
  }

  std::string PaymentValue(const TextProperty& property) {
    if (property.name == "Betrag") return Amount();
    if (property.name == "BIC" && Below(3) != 0) {
      return OneOf<std::string>(
          {"BNPAFRPP123", "RZOOAT2L", "12345678", "DEUTDEFF", "ABCDXY12345", "bnpafrpp123"});
    }
    if (property.name == "IBAN" && Below(3) != 0) return "FR" + Digits(32);
    if (property.name == "Entgeltregelung") return OneOf<std::string>({"00", "01", "2", "x", ""});
    if (property.name == "BankLaenderCode") return OneOf<std::string>({"FR ", "FR", "at ", "DEX"});
    return Text(Length(property.width));
  }

  std::int32_t Code(std::string_view property) {
    if (Chance(8)) {
      return OneOf<std::int32_t>({-1, 3, 99, 100, 32767, 32768, -32769, 2147483647, -2147483647});
    }
    if (property == "Zahlungsart") return OneOf<std::int32_t>({0, 10, 11, 13, 15});
    if (property == "LaenderCode") {
      // A member's value is its code's position in the country list.
      return static_cast<std::int32_t>(Chance(4) ? Below(92) : 1 + 3 * Below(30));
    }
    return OneOf<std::int32_t>({1, 2, 4, 6, 7, 9, 10, 11, 12, 91});
  }

  RandomPayment Payment() {
    RandomPayment payment;
    for (const TextProperty& property : kPaymentTexts) {
      // A payment without an amount ends the run, so that stays rare.
      if (Below(property.name == "Betrag" ? 25 : 3) == 0) continue;
      payment.texts.push_back({property.name, PaymentValue(property)});
    }
    // Now and then a value no record can render.
    if (Chance(150)) payment.texts.push_back({"Verwendungszweck2", std::string(33000, 'X')});
    if (!payment.texts.empty() && Chance(5)) std::swap(payment.texts.front(), payment.texts.back());
    for (std::string_view property : kPaymentCodes) {
      if (Below(4) != 0) payment.codes.push_back({property, Code(property)});
    }
    return payment;
  }

  // A batch that passes every check: the common case of a host that knows the rules.
  Batch Clean() {
    Batch batch;
    batch.comma_locale = Chance(2);
    batch.pfad = "out";
    batch.diff_file_name = "DTAZV";
    batch.sender = {{"BLZ", "37040044"},
                    {"Kontonummer", Digits(10)},
                    {"Name", Letters(1 + Below(35))},
                    {"ExecutionDate", "261210"}};
    const std::size_t count = 1 + Below(6);
    for (std::size_t i = 0; i < count; ++i) {
      RandomPayment payment;
      std::string iban = "FR" + Digits(32);
      std::string name = Letters(1 + Below(35));
      std::string purpose = Letters(Below(36));
      const std::string cents = Digits(2);
      std::string amount =
          std::to_string(1 + Below(12000)) + (batch.comma_locale ? "," : ".") + cents;
      payment.texts = {{"BIC", "BNPAFRPP123"},
                       {"IBAN", std::move(iban)},
                       {"Name", std::move(name)},
                       {"Verwendungszweck1", std::move(purpose)},
                       {"Betrag", std::move(amount)}};
      payment.codes = {{"Zahlungsart", 13},
                       {"LaenderCode", static_cast<std::int32_t>(LaenderCodes::FRANKREICH)}};
      batch.payments.push_back(payment);
    }
    return batch;
  }

  // Text that ends up in the SWIFT set: German letters, other scripts, "&";
  // blank or shorter once trimmed and brought into the set.
  std::string WritableText(std::size_t length) {
    static constexpr std::array<std::string_view, 14> kPieces{" ",
                                                              "&",
                                                              "-",
                                                              "/",
                                                              "'",
                                                              "(",
                                                              "\xC3\xA4",
                                                              "\xC3\x9F",
                                                              "\xC3\x9C",
                                                              "\xC3\x89",
                                                              "\xCE\xA9",
                                                              "\xD0\x96",
                                                              "\xE6\xBC\xA2",
                                                              "?"};
    std::string text;
    for (std::size_t i = 0; i < length; ++i) {
      if (Below(4) != 0) {
        const char first = Chance(2) ? 'A' : 'a';
        text += static_cast<char>(first + Below(26));
      } else {
        text += kPieces[Below(kPieces.size())];
      }
    }
    return text;
  }

  // A letter first, so that something is left once trimmed. Each part is
  // drawn after the one before it, so that every compiler makes the same text.
  std::string WritableName(std::uint32_t longest) {
    std::string name = Letters(1);
    name += WritableText(Below(longest));
    return name;
  }

  // "<postal code> <town>".
  std::string TownLine(std::size_t postal_digits, std::uint32_t longest) {
    std::string line = Digits(postal_digits);
    line += ' ';
    line += WritableName(longest);
    return line;
  }

  RandomPayment WritablePayment(const Batch& batch) {
    struct Creditor {
      const char* bic;
      const char* iban;
      LaenderCodes country;
    };
    static constexpr std::array<Creditor, 4> kCreditors{{
        {"BNPAFRPP123", "FR7630006000011234567890189", LaenderCodes::FRANKREICH},
        {"RZOOAT2L", "AT611904300234573201", LaenderCodes::OESTERREICH},
        {"ABNANL2A", "NL91ABNA0417164300", LaenderCodes::NIEDERLANDE},
        {"BCITITMM", "IT60X0542811101000000123456", LaenderCodes::ITALIEN},
    }};
    const Creditor& creditor = kCreditors[Below(kCreditors.size())];
    const char decimal = batch.comma_locale ? ',' : '.';
    RandomPayment payment;
    payment.texts = {{"IBAN", creditor.iban},
                     {"Name", WritableName(40)},
                     {"OrtPLZ", TownLine(4 + Below(2), 25)}};
    std::string amount = std::to_string(1 + Below(90000));
    amount += decimal;
    amount += Digits(2);
    payment.texts.push_back({"Betrag", std::move(amount)});
    if (Below(5) != 0) payment.texts.push_back({"BIC", creditor.bic});
    static constexpr std::array<std::string_view, 8> kOptional{
        "Vorname",           "Strasse",           "Verwendungszweck1", "Verwendungszweck2",
        "Verwendungszweck3", "Verwendungszweck4", "VariableText",      "WeisungsschluesselZusatz"};
    for (std::string_view property : kOptional) {
      if (Chance(2)) payment.texts.push_back({property, WritableText(Length(35))});
    }
    payment.codes = {{"Zahlungsart", OneOf<std::int32_t>({0, 10, 11, 13, 15})},
                     {"LaenderCode", static_cast<std::int32_t>(creditor.country)}};
    if (Chance(3)) payment.codes.push_back({"Weisungsschluessel1", OneOf<std::int32_t>({2, 4, 6})});
    return payment;
  }

  std::string Letters(std::size_t n) {
    std::string letters;
    for (std::size_t i = 0; i < n; ++i) letters += static_cast<char>('A' + Below(26));
    return letters;
  }

  std::mt19937_64 random_;
};

}  // namespace xkdtazv::testing

#endif  // XKDTAZV_TESTS_FILE_RANDOM_BATCH_H_
