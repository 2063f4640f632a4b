#include "xkdtazv/geld_transfer.h"

#include <algorithm>
#include <cmath>

#include "field/codes.h"
#include "platform/encoding.h"
#include "platform/failure_text.h"
#include "platform/number.h"
#include "platform/regional.h"
#include "platform/text.h"
#include "records/geld_transfer_layout.h"
#include "records/record_values.h"
#include "xkdtazv/failure.h"
#include "xkdtazv/meine_info.h"

namespace xkdtazv {
namespace {

using namespace detail;  // the field indexes of the T record

// The mark as it fits five single-byte characters with the terminating NUL.
std::string SeparatorOf(const std::string& mark) {
  if (mark.size() >= 5) return "ERROR";
  return mark.substr(0, mark.find('\0'));
}

// Hundredths as at least two digits, with the amount's sign: "05", "50", "-05".
std::string FormatHundredths(double hundredths) {
  const int value = static_cast<int>(hundredths);
  const int magnitude = value < 0 ? -value : value;
  std::string text = value < 0 ? "-" : "";
  if (magnitude < 10) text += '0';
  text += std::to_string(magnitude);
  return text;
}

}  // namespace

GeldTransfer::GeldTransfer() : fields_(std::make_unique<RecordValues>(kTransferLayout)) {}
GeldTransfer::~GeldTransfer() = default;

std::string GeldTransfer::Text(std::size_t field) const { return std::string(fields_->Get(field)); }

void GeldTransfer::SetText(std::size_t field, std::string_view value) {
  fields_->Set(field, value);
}

void GeldTransfer::SetUpper(std::size_t field, std::string_view value) {
  fields_->Set(field, ToUpper(value));
}

std::int32_t GeldTransfer::Code(std::size_t field) const { return CodeValue(fields_->Get(field)); }

void GeldTransfer::SetCode(std::size_t field, std::int32_t value) {
  fields_->Set(field, CodeText(value));  // throws before anything changes
}

std::string GeldTransfer::BIC() const { return Text(kBIC); }
void GeldTransfer::setBIC(std::string_view value) { SetText(kBIC, value); }
std::string GeldTransfer::BankLaenderCode() const { return Text(kBankLaenderCode); }
void GeldTransfer::setBankLaenderCode(std::string_view value) { SetText(kBankLaenderCode, value); }

LaenderCodes GeldTransfer::LaenderCode() const {
  return static_cast<LaenderCodes>(CountryValue(fields_->Get(kLaenderCode)));
}
void GeldTransfer::setLaenderCode(LaenderCodes value) {
  fields_->Set(kLaenderCode, CountryCode(static_cast<std::int32_t>(value)));
}

std::string GeldTransfer::Name() const { return Text(kName); }
void GeldTransfer::setName(std::string_view value) { SetUpper(kName, value); }
std::string GeldTransfer::Vorname() const { return Text(kVorname); }
void GeldTransfer::setVorname(std::string_view value) { SetUpper(kVorname, value); }
std::string GeldTransfer::Strasse() const { return Text(kStrasse); }
void GeldTransfer::setStrasse(std::string_view value) { SetUpper(kStrasse, value); }
std::string GeldTransfer::OrtPLZ() const { return Text(kOrtPLZ); }
void GeldTransfer::setOrtPLZ(std::string_view value) { SetUpper(kOrtPLZ, value); }

// The record keeps the IBAN behind a "/".
std::string GeldTransfer::IBAN() const {
  const std::string_view stored = fields_->Get(kIBAN);
  if (CountCodePoints(stored) > 1)
    return std::string(stored.substr(FirstCodePoints(stored, 1).size()));
  return std::string(stored);
}
void GeldTransfer::setIBAN(std::string_view value) {
  std::string stored(1, '/');
  stored.append(value);
  SetText(kIBAN, stored);
}

std::string GeldTransfer::Betrag() const { return BetragIn(DecimalMark()); }

std::string GeldTransfer::BetragIn(const std::string& mark) const {
  const auto integer = ParseNumber(fields_->Get(kBetragVorkomma), mark);
  const auto hundredths = ParseNumber(fields_->Get(kBetragNachkomma), mark);
  if (!integer || !hundredths) return "";
  return FormatNumber(*integer + *hundredths / 100, mark);
}

double GeldTransfer::IntegerAmountIn(const std::string& mark) const {
  // Betrag reads back as a number exactly when both parts do.
  const auto integer = ParseNumber(fields_->Get(kBetragVorkomma), mark);
  const auto hundredths = ParseNumber(fields_->Get(kBetragNachkomma), mark);
  if (!integer || !hundredths) throw Failure(FailureCode::kTypeMismatch);
  return *integer;
}

void GeldTransfer::setBetrag(std::string_view value) {
  std::string integer_text = "0";
  std::string hundredths_text = "0";
  try {
    // Either mark in the host's text counts as the decimal mark.
    const std::string mark = DecimalMark();
    const std::string separator = SeparatorOf(mark);
    std::string text = SanitizeUtf8(value);
    if (separator == ".") {
      std::replace(text.begin(), text.end(), ',', '.');
    } else {
      std::replace(text.begin(), text.end(), '.', ',');
    }
    const double amount = ToNumber(text, mark);
    double integer = std::trunc(amount);
    double hundredths = std::nearbyint((amount - integer) * 100);  // a tie goes to the even
    // "1.999" is 2.00: a hundredths value of 100 carries into the integer part.
    if (std::fabs(hundredths) >= 100) {
      integer += hundredths > 0 ? 1 : -1;
      hundredths = 0;
    }
    integer_text = FormatInteger(integer);
    // A longer integer part would be cut to a different amount in the record.
    if (integer_text.size() > static_cast<std::size_t>(kTransferLayout[kBetragVorkomma].length)) {
      throw Failure(FailureCode::kOverflow);
    }
    hundredths_text = FormatHundredths(hundredths);
  } catch (const Failure&) {
    integer_text = hundredths_text = "0";
  }
  SetText(kBetragVorkomma, integer_text);
  SetText(kBetragNachkomma, hundredths_text);
}

std::string GeldTransfer::BetragVorkomma() const { return Text(kBetragVorkomma); }
std::string GeldTransfer::BetragNachkomma() const { return Text(kBetragNachkomma); }

std::string GeldTransfer::Verwendungszweck1() const { return Text(kVerwendungszweck1); }
void GeldTransfer::setVerwendungszweck1(std::string_view value) {
  SetUpper(kVerwendungszweck1, value);
}
std::string GeldTransfer::Verwendungszweck2() const { return Text(kVerwendungszweck2); }
void GeldTransfer::setVerwendungszweck2(std::string_view value) {
  SetUpper(kVerwendungszweck2, value);
}
std::string GeldTransfer::Verwendungszweck3() const { return Text(kVerwendungszweck3); }
void GeldTransfer::setVerwendungszweck3(std::string_view value) {
  SetUpper(kVerwendungszweck3, value);
}
std::string GeldTransfer::Verwendungszweck4() const { return Text(kVerwendungszweck4); }
void GeldTransfer::setVerwendungszweck4(std::string_view value) {
  SetUpper(kVerwendungszweck4, value);
}

Weisungsschluessel GeldTransfer::Weisungsschluessel1() const {
  return static_cast<Weisungsschluessel>(Code(kWeisungsschluessel1));
}
void GeldTransfer::setWeisungsschluessel1(Weisungsschluessel value) {
  SetCode(kWeisungsschluessel1, static_cast<std::int32_t>(value));
}
Weisungsschluessel GeldTransfer::Weisungsschluessel2() const {
  return static_cast<Weisungsschluessel>(Code(kWeisungsschluessel2));
}
void GeldTransfer::setWeisungsschluessel2(Weisungsschluessel value) {
  SetCode(kWeisungsschluessel2, static_cast<std::int32_t>(value));
}
Weisungsschluessel GeldTransfer::Weisungsschluessel3() const {
  return static_cast<Weisungsschluessel>(Code(kWeisungsschluessel3));
}
void GeldTransfer::setWeisungsschluessel3(Weisungsschluessel value) {
  SetCode(kWeisungsschluessel3, static_cast<std::int32_t>(value));
}
Weisungsschluessel GeldTransfer::Weisungsschluessel4() const {
  return static_cast<Weisungsschluessel>(Code(kWeisungsschluessel4));
}
void GeldTransfer::setWeisungsschluessel4(Weisungsschluessel value) {
  SetCode(kWeisungsschluessel4, static_cast<std::int32_t>(value));
}

std::string GeldTransfer::WeisungsschluesselZusatz() const {
  return Text(kWeisungsschluesselZusatz);
}
void GeldTransfer::setWeisungsschluesselZusatz(std::string_view value) {
  SetText(kWeisungsschluesselZusatz, value);
}
std::string GeldTransfer::Entgeltregelung() const { return Text(kEntgeltregelung); }
void GeldTransfer::setEntgeltregelung(std::string_view value) { SetText(kEntgeltregelung, value); }

::xkdtazv::Zahlungsart GeldTransfer::Zahlungsart() const {
  return static_cast<::xkdtazv::Zahlungsart>(Code(kZahlungsart));
}
void GeldTransfer::setZahlungsart(::xkdtazv::Zahlungsart value) {
  SetCode(kZahlungsart, static_cast<std::int32_t>(value));
}

std::string GeldTransfer::VariableText() const { return Text(kVariableText); }
void GeldTransfer::setVariableText(std::string_view value) { SetUpper(kVariableText, value); }
std::string GeldTransfer::Ansprechpartner() const { return Text(kAnsprechpartner); }
void GeldTransfer::setAnsprechpartner(std::string_view value) { SetText(kAnsprechpartner, value); }

std::string GeldTransfer::GetSeparatorString() const { return SeparatorOf(DecimalMark()); }

bool GeldTransfer::ApplyMeineInfo(const MeineInfo& sender) {
  try {
    SetText(kBLZ, sender.BLZ());
    SetText(kKontonummer, sender.Kontonummer());
    SetText(kExecutionDate, sender.ExecutionDate());
    return true;
  } catch (const std::exception&) {
    return false;
  }
}

bool GeldTransfer::Renderable() const { return fields_->Renderable(); }

void GeldTransfer::AppendRecord(std::string& out, const Windows1252Encoder& encoder) const {
  detail::AppendRecord(kTransferLayout, *fields_, encoder, out);
}

std::string GeldTransfer::GenerateRecord() const {
  try {
    return RenderRecord(kTransferLayout, *fields_);
  } catch (const Failure& failure) {
    return FailureText("FEHLER: Generierung von GeldTransfer fehlgeschlagen.", failure);
  }
}

}  // namespace xkdtazv
