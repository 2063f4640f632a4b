// GeldTransfer::IsValid: every rule of the payment's kind in one pass. The
// rules are tables where they share a shape (code exclusions, fields that
// must stay blank, character checks); the rest reads as the rule says.
#include <algorithm>
#include <array>
#include <bitset>
#include <new>
#include <span>

#include "field/codes.h"
#include "platform/failure_text.h"
#include "platform/number.h"
#include "platform/regional.h"
#include "platform/text.h"
#include "records/geld_transfer_layout.h"
#include "records/record_values.h"
#include "xkdtazv/failure.h"
#include "xkdtazv/geld_transfer.h"

namespace xkdtazv {
namespace {

using namespace detail;  // the field indexes of the T record

// The stored values of the enumerations' members. Any other value would reach
// the two-digit field cut or signed, as another code or none at all.
constexpr std::array<std::string_view, 5> kPaymentKinds{"0", "10", "11", "13", "15"};
constexpr std::array<std::string_view, 10> kInstructionCodeValues{"1", "2",  "4",  "6",  "7",
                                                                  "9", "10", "11", "12", "91"};

struct CodeField {
  T field;
  std::span<const std::string_view> members;
  std::string_view message;
};

constexpr std::array<CodeField, 5> kCodeFields{{
    {kZahlungsart, kPaymentKinds, "Fehler: Zahlungsart hat keinen gueltigen Wert!"},
    {kWeisungsschluessel1, kInstructionCodeValues,
     "Fehler: Weisungsschluessel1 hat keinen gueltigen Wert!"},
    {kWeisungsschluessel2, kInstructionCodeValues,
     "Fehler: Weisungsschluessel2 hat keinen gueltigen Wert!"},
    {kWeisungsschluessel3, kInstructionCodeValues,
     "Fehler: Weisungsschluessel3 hat keinen gueltigen Wert!"},
    {kWeisungsschluessel4, kInstructionCodeValues,
     "Fehler: Weisungsschluessel4 hat keinen gueltigen Wert!"},
}};

// C1 to C5: an instruction code that must not stand beside certain others.
struct CodeExclusion {
  std::string_view code;
  std::array<std::string_view, 3> excluded;  // empty entries are unused
  std::string_view message;
};

constexpr std::array<CodeExclusion, 5> kCodeExclusions{{
    {"01", {"11", "12", ""}, "Fehler: Weisungsschluessel 01 nicht mit 11 oder 12 kombinierbar!"},
    {"02",
     {"04", "11", "12"},
     "Fehler: Weisungsschluessel 02 nicht mit 04, 11 oder 12 kombinierbar!"},
    {"04",
     {"02", "11", "12"},
     "Fehler: Weisungsschluessel 04 nicht mit 02, 11 oder 12 kombinierbar!"},
    {"06", {"07", "", ""}, "Fehler: Weisungsschluessel 06 nicht mit 07 kombinierbar!"},
    {"09", {"10", "", ""}, "Fehler: Weisungsschluessel 09 nicht mit 10 kombinierbar!"},
}};

// A field that a payment kind leaves blank: a filled one is warned about and emptied.
struct BlankField {
  T field;
  std::string_view warning;
};

constexpr std::array<BlankField, 2> kEueBlankFields{{
    {kBankLaenderCode,
     "Warnung: Bei einer EUE-Ueberweisung darf das Feld BankLaenderCode nicht belegt werden!"},
    {kOrdervermerk,
     "Warnung: Bei einer EUE-Ueberweisung darf das Feld Ordervermerk nicht belegt werden!"},
}};

constexpr std::array<BlankField, 4> kEuStandardBlankFields{{
    {kBLZ_E,
     "Warnung: Bei einer EU-Stanadardueberweisung darf das Feld BLZ_E nicht belegt werden!"},
    {kKontonummer_E,
     "Warnung: Bei einer EU-Stanadardueberweisung darf das Feld Kontonummer_E nicht belegt "
     "werden!"},
    {kBankLaenderCode,
     "Warnung: Bei einer EU-Stanadardueberweisung darf das Feld BankLaenderCode nicht belegt "
     "werden!"},
    {kOrdervermerk,
     "Warnung: Bei einer EU-Stanadardueberweisung darf das Feld Ordervermerk nicht belegt "
     "werden!"},
}};

constexpr BlankField kEuStandardBlankZusatz{
    kWeisungsschluesselZusatz,
    "Warnung: Bei einer EU-Stanadardueberweisung darf das Feld WeisungsschluesselZusatz nicht "
    "belegt werden!"};

constexpr std::string_view kInstructionCodesWarning =
    "Warnung: Bei einer EU-Stanadardueberweisung duerfen die Weisungsschluessel-Felder nicht "
    "belegt werden!";

constexpr std::array<T, 4> kInstructionCodes{kWeisungsschluessel1, kWeisungsschluessel2,
                                             kWeisungsschluessel3, kWeisungsschluessel4};

// Z: the text fields whose characters must come from the DTAZV set, in order.
struct CheckedField {
  T field;
  std::string_view prefix;
};

constexpr std::array<CheckedField, 18> kCheckedFields{{
    {kISOWaehrungsCode_E,
     "Fehler: Das Feld \"ISOWaehrungsCode_E\" enthält ein ungültiges Zeichen "},
    {kBIC, "Fehler: Das Feld \"BIC\" enthält ein ungültiges Zeichen "},
    {kBankLaenderCode, "Fehler: Das Feld \"BankLaenderCode\" enthält ein ungültiges Zeichen "},
    {kLaenderCode, "Fehler: Das Feld \"LaenderCode\" enthält ein ungültiges Zeichen "},
    {kName, "Fehler: Das Feld \"Name\" enthält ein ungültiges Zeichen "},
    {kVorname, "Fehler: Das Feld \"Vorname\" enthält ein ungültiges Zeichen "},
    {kStrasse, "Fehler: Das Feld \"Strasse\" enthält ein ungültiges Zeichen "},
    {kOrtPLZ, "Fehler: Das Feld \"OrtPLZ\" enthält ein ungültiges Zeichen "},
    {kOrdervermerk, "Fehler: Das Feld \"Ordervermerk\" enthält ein ungültiges Zeichen "},
    {kIBAN, "Fehler: Das Feld \"IBAN\" enthält ein ungültiges Zeichen "},
    {kAuftragswaehrung, "Fehler: Das Feld \"Auftragswaehrung\" enthält ein ungültiges Zeichen "},
    {kVerwendungszweck1, "Fehler: Das Feld \"Verwendungszweck1\" enthält ein ungültiges Zeichen "},
    {kVerwendungszweck2, "Fehler: Das Feld \"Verwendungszweck2\" enthält ein ungültiges Zeichen "},
    {kVerwendungszweck3, "Fehler: Das Feld \"Verwendungszweck3\" enthält ein ungültiges Zeichen "},
    {kVerwendungszweck4, "Fehler: Das Feld \"Verwendungszweck4\" enthält ein ungültiges Zeichen "},
    {kWeisungsschluesselZusatz,
     "Fehler: Das Feld \"WeisungsschluesselZusatz\" enthält ein ungültiges Zeichen "},
    {kVariableText, "Fehler: Das Feld \"VariableText\" enthält ein ungültiges Zeichen "},
    {kAnsprechpartner, "Fehler: Das Feld \"Ansprechpartner\" enthält ein ungültiges Zeichen "},
}};

constexpr std::string_view kIbanSlashMessage = "Fehler: IBAN muss mit / beginnen!";
constexpr std::string_view kIbanLengthMessage =
    "Fehler: IBAN muss 34-Stellig sein! Wenn Sie eine andere IBAN verwenden moechten, setzen "
    "Sie bitte davor Nullen ein um auf 34 Zeichen zu kommen!";
constexpr std::string_view kEueCodeMessage =
    "Fehler: EUE-Ueberweisung verlangt im Feld Weisungsschluessel eine 10, 11 oder 12!";

// One pass of IsValid over the fields of one payment.
class Validation {
 public:
  Validation(RecordValues& fields, const std::string& mark)
      : fields_(fields), mark_(mark), kind_(Rendered(kZahlungsart)) {
    for (T field : kInstructionCodes) {
      const std::string code = Rendered(field);
      if (!codes_.empty()) codes_ += ", ";
      codes_ += code;
      if (code.size() == 2 && IsDigits(code)) held_codes_.set(TwoDigitIndex(code));
    }
  }

  std::string Run() {
    // First, as every later rule reads these codes.
    CodeMembership();
    CommonRules();
    if (kind_ == "11") {
      EueRules();
    } else if (kind_ == "13") {
      EuStandardRules();
    } else {
      GeneralRules();
    }
    CharacterChecks();
    return findings_.Result();
  }

 private:
  std::string_view Value(T field) const { return fields_.Get(field); }
  std::string Rendered(T field) const { return RenderValue(kTransferLayout[field], Value(field)); }
  void Clear(T field) { fields_.Set(field, ""); }
  std::size_t Length(T field) const { return CountCodePoints(Value(field)); }
  static std::size_t TwoDigitIndex(std::string_view digits) {
    return static_cast<std::size_t>((digits[0] - '0') * 10 + (digits[1] - '0'));
  }
  // `code`: two digits. Whether one of the rendered instruction codes is it.
  bool Holds(std::string_view code) const { return held_codes_[TwoDigitIndex(code)]; }

  // Characters 5 and 6 of the BIC: the country of its bank.
  std::string BicCountry() const {
    const std::string_view ascii = Value(kBIC);
    if (IsAscii(ascii)) return ascii.size() < 5 ? "" : std::string(ascii.substr(4, 2));
    const std::u32string bic = DecodeUtf8(Value(kBIC));
    return bic.size() < 5 ? "" : EncodeUtf8(std::u32string_view(bic).substr(4, 2));
  }

  // A code never set is empty and stands for none; every other value must be a member.
  void CodeMembership() {
    for (const CodeField& code : kCodeFields) {
      const std::string_view value = Value(code.field);
      if (!value.empty() &&
          std::find(code.members.begin(), code.members.end(), value) == code.members.end()) {
        findings_.Add(code.message);
      }
    }
  }

  void CommonRules() {
    for (const CodeExclusion& rule : kCodeExclusions) {
      if (!Holds(rule.code)) continue;
      for (std::string_view other : rule.excluded) {
        if (!other.empty() && Holds(other)) {
          findings_.Add(rule.message);
          break;
        }
      }
    }
    if (Holds("91") && (kind_ == "11" || kind_ == "13")) {
      findings_.Add("Fehler: Weisungsschluessel 91 ist mit Zahlungsart 11 oder 13 nicht erlaubt!");
    }

    const double integer = ToNumber(Value(kBetragVorkomma), mark_);
    if (integer > 12500) findings_.Add("Fehler: Betrag darf nicht groesser als 12.500EUR sein!");
    // A zero or negative amount, or one whose text did not convert, pays nothing.
    if (integer + ToNumber(Value(kBetragNachkomma), mark_) / 100 <= 0) {
      findings_.Add("Fehler: Betrag muss groesser als Null sein!");
    }

    const std::string_view country = Value(kLaenderCode);
    if (!OccursIn(kCountryList, country)) {
      findings_.Add("Fehler: Unbekannter LaenderCode!");
      return;
    }
    if (Value(kZahlungsart) == "13" && !OccursIn(kEuCountryList, country)) {
      findings_.Add("Fehler: EU-Standardüberweisung für dieses Land nicht erlaubt");
      return;
    }
    if (BicCountry() != country) {
      findings_.Add(
          "Fehler: Angegebener Laendercode und Laendercode im BIC stimmen nicht überein!");
    }
  }

  void IbanRules() {
    if (Value(kIBAN).substr(0, 1) != "/") findings_.Add(kIbanSlashMessage);
    if (Length(kIBAN) != 35) findings_.Add(kIbanLengthMessage);
  }

  void ClearFilled(const BlankField& rule) {
    if (Value(rule.field).empty()) return;
    findings_.Add(rule.warning);
    Clear(rule.field);
  }

  void EueRules() {
    if (Length(kBIC) != 11) {
      findings_.Add("Fehler: EUE-Ueberweisung verlangt eine 11-Stellinge BIC!");
    }
    IbanRules();
    for (T field : kInstructionCodes) {
      const std::string_view code = Value(field);
      if (code != "10" && code != "11" && code != "12" && !code.empty()) {
        findings_.Add(kEueCodeMessage);
      }
    }
    if (!Holds("10") && !Value(kWeisungsschluesselZusatz).empty()) {
      findings_.Add(
          "Fehler: EUE-Ueberweisung erlaubt keinen Weisungsschluessel-Zusatz, wenn keiner der "
          "Weisungsschluessel eine 10 enthaelt!");
    }
    for (const BlankField& rule : kEueBlankFields) ClearFilled(rule);
    Clear(kBankAnschrift1);
  }

  void EuStandardRules() {
    if (Length(kBIC) != 11) {
      findings_.Add("Fehler: EU-Standardueberweisung verlangt eine 11-Stellinge BIC!");
    }
    const std::string bic_country = BicCountry();
    if (ParseNumber(bic_country, mark_)) {
      findings_.Add("Fehler: BIC muss an den Stellen 5-6 einen ISO-Ländercode haben!");
    } else if (!OccursIn(kEuCountryList, bic_country)) {
      findings_.Add("Fehler: EU-Standardüberweisung für das im BIC angegebene Land nicht erlaubt!");
    }
    IbanRules();
    if (Rendered(kEntgeltregelung) != "00") {
      findings_.Add(
          "Fehler: EU-Standardueberweisung verlangt den Wert 00 im Feld Entgeltregelung!");
    }
    for (const BlankField& rule : kEuStandardBlankFields) ClearFilled(rule);

    std::string digits;
    for (char c : codes_) {
      if (c != ',' && c != ' ') digits += c;
    }
    if (ToNumber(digits, mark_) != 0) {
      findings_.Add(kInstructionCodesWarning);
      for (T field : kInstructionCodes) Clear(field);
    }
    ClearFilled(kEuStandardBlankZusatz);
    Clear(kISOWaehrungsCode_E);
    Clear(kBankAnschrift1);
    Clear(kErweiterungskennzeichen);
  }

  void GeneralRules() {
    const std::string bic(Value(kBIC));
    const std::size_t length = CountCodePoints(bic);
    if (length == 8) {
      // Eight digits are a German bank code, written behind "///"; eight other
      // characters are a BIC without its branch code, which "XXX" completes.
      fields_.Set(kBIC, IsDigits(bic) ? "///" + bic : bic + "XXX");
    } else if (length != 11) {
      findings_.Add(
          "Fehler: allgemeine Zahlung verlangt eine 11-Stellinge BIC oder eine 8-Stellige BLZ!");
    }
    // The rendered code: two letters and a blank, as the field holds them.
    const std::u32string bank_country = DecodeUtf8(Rendered(kBankLaenderCode));
    if (bank_country.size() < 3 || bank_country[2] != U' ') {
      findings_.Add("Fehler: Die dritte Stelle des BankLaenderCodes muss ein Leerzeichen sein!");
    }
  }

  void CharacterChecks() {
    for (const CheckedField& check : kCheckedFields) {
      if (fields_.InSet(check.field)) continue;  // checked when it was stored
      const std::string message =
          InvalidCharacterMessage(kTransferLayout[check.field], Value(check.field), check.prefix);
      if (!message.empty()) findings_.Add(message);
    }
  }

  RecordValues& fields_;
  const std::string& mark_;      // the decimal mark of this pass
  const std::string kind_;       // the rendered Zahlungsart, which no rule changes
  std::string codes_;            // "01, 11, 00, 00": the rendered instruction codes
  std::bitset<100> held_codes_;  // those of them that are two digits, by their value
  Findings findings_;
};

}  // namespace

std::string GeldTransfer::IsValid() { return IsValidIn(DecimalMark()); }

std::string GeldTransfer::IsValidIn(const std::string& mark) {
  try {
    return Validation(*fields_, mark).Run();
  } catch (const Failure& failure) {
    return FailureText("FEHLER: Validierung fehlgeschlagen!", failure);
  } catch (const std::bad_alloc&) {
    return FailureText("FEHLER: Validierung fehlgeschlagen!", Failure(FailureCode::kOutOfMemory));
  }
}

}  // namespace xkdtazv
