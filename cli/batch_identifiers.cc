#include "cli/batch_identifiers.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>

#include "payment_order/identifiers.h"
#include "reader/text_encoding.h"

namespace xkdtazv::cli {
namespace {

constexpr std::string_view kIban = "IBAN";
constexpr std::string_view kBic = "BIC";
constexpr std::string_view kKind = "Zahlungsart";
constexpr std::size_t kPaddedIban = 34;
// The payment kinds that carry the payee's IBAN by rule: EUE and EU standard.
constexpr std::int32_t kEue = 11;
constexpr std::int32_t kEuStandard = 13;

char Upper(char c) noexcept { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }
bool IsDigit(char c) noexcept { return c >= '0' && c <= '9'; }
bool IsLetter(char c) noexcept { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

bool IsEuKind(const PlannedObject& payment) {
  for (const PlannedValue& value : payment.values) {
    if (value.member == kKind && !value.is_text) {
      return value.integer == kEue || value.integer == kEuStandard;
    }
  }
  return false;
}

// A general payment may name the payee's account without an IBAN, as in
// countries that have none: a value that does not begin with a country code.
bool IsOtherAccount(std::string_view text) {
  std::string compact;
  for (const char c : text) {
    if (c != ' ') compact += c;
  }
  return compact.size() < 2 || !IsLetter(compact[0]) || !IsLetter(compact[1]);
}

// Eight digits, alone or after "///": a German bank code, which a general
// payment may give instead of a BIC.
bool IsBankCode(std::string_view text) noexcept {
  if (text.starts_with("///")) text.remove_prefix(3);
  return text.size() == 8 && std::all_of(text.begin(), text.end(), IsDigit);
}

std::string IbanFaultText(payment::IbanFault fault, std::string_view iban) {
  switch (fault) {
    case payment::IbanFault::kCharacters:
      return "holds characters other than the letters A-Z and the digits 0-9";
    case payment::IbanFault::kForm:
      return "is no IBAN: two letters for the country, two check digits, then up to 30 letters or "
             "digits";
    case payment::IbanFault::kCountryLength:
      return "has " + std::to_string(iban.size()) + " characters; an IBAN of " +
             std::string(iban.substr(0, 2)) + " has " +
             std::to_string(payment::IbanLengthOf(iban.substr(0, 2)));
    case payment::IbanFault::kCheckDigits:
      return "is no valid IBAN: its check digits " + std::string(iban.substr(2, 2)) +
             " do not hold (ISO 13616)";
    case payment::IbanFault::kNone:
      break;
  }
  return {};
}

std::string PrepareBic(std::string& bic) {
  std::string upper;
  for (const char c : bic) upper += Upper(c);
  if (IsBankCode(upper)) return {};
  if (!payment::IsValidBic(upper)) {
    return "is no BIC (ISO 9362): 4 letters for the bank, 2 for the country, 2 letters or digits "
           "for the location, optionally 3 for the branch; 8 or 11 characters";
  }
  bic = std::move(upper);
  return {};
}

}  // namespace

PreparedIban PrepareIban(std::string_view text) {
  std::string compact;
  for (const char c : text) {
    if (c != ' ') compact += Upper(c);
  }
  // A value padded as the component takes it is checked without its zeros.
  const bool padded = compact.size() == kPaddedIban && compact.front() == '0';
  const std::string_view iban = padded ? payment::IbanWithoutPadding(compact) : compact;
  const payment::IbanFault fault = payment::CheckIban(iban);
  if (fault != payment::IbanFault::kNone) return {{}, IbanFaultText(fault, iban)};
  if (compact.size() < kPaddedIban) compact.insert(0, kPaddedIban - compact.size(), '0');
  return {std::move(compact), {}};
}

std::vector<std::string> PrepareIdentifiers(BatchPlan& plan) {
  std::vector<std::string> errors;
  for (PlannedObject& payment : plan.transfers) {
    const bool eu_kind = IsEuKind(payment);
    for (PlannedValue& value : payment.values) {
      if (!value.is_text || value.text.empty()) continue;
      std::string error;
      if (value.member == kIban && (eu_kind || !IsOtherAccount(value.text))) {
        PreparedIban prepared = PrepareIban(value.text);
        error = std::move(prepared.error);
        if (error.empty()) value.text = std::move(prepared.iban);
      } else if (value.member == kBic) {
        std::string bic = value.text;
        error = PrepareBic(bic);
        if (error.empty()) value.text = std::move(bic);
      }
      if (!error.empty()) {
        errors.push_back(value.place + ", " + value.member + ": " + QuoteShort(value.text) + " " +
                         error);
      }
    }
  }
  return errors;
}

}  // namespace xkdtazv::cli
