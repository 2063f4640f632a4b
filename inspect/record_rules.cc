#include "inspect/record_rules.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>

#include "inspect/short_date.h"
#include "payment_order/eea.h"
#include "payment_order/identifiers.h"

namespace xkdtazv::cli {
namespace {

constexpr long kLongestExecutionDelay = 15;  // calendar days after the creation date
constexpr std::uint64_t kEuStandardCeilingThousandths = 50000 * 1000;  // 50,000.00 EUR

bool IsCurrencyCode(std::string_view text) noexcept {
  return text.size() == 3 &&
         std::all_of(text.begin(), text.end(), [](char c) { return c >= 'A' && c <= 'Z'; });
}

// Payment kinds as bits, so that a rule can name the kinds it applies to.
enum Kind : unsigned { kGeneral = 1, kEuStandard = 2, kEue = 4, kCheque = 8 };
constexpr unsigned kEveryKind = kGeneral | kEuStandard | kEue | kCheque;
constexpr unsigned kTransfers = kGeneral | kEuStandard | kEue;

class Payment {
 public:
  explicit Payment(const Record& record) : record_(record), kind_(KindOf(Field("T22"))) {}

  const Record& record() const noexcept { return record_; }
  Kind kind() const noexcept { return kind_; }

  std::string_view Field(FieldKey id) const noexcept {
    const FieldSpec* field = FindFieldByKey(*record_.layout, id);
    return field != nullptr && record_.Holds(*field) ? record_.Field(*field) : std::string_view();
  }
  std::string_view Text(FieldKey id) const noexcept { return TrimTrailingBlanks(Field(id)); }
  std::string_view Iban() const noexcept { return payment::IbanWithoutPadding(Field("T12")); }

  // The country of the payee's bank: from its BIC, else T9a, else the payee's.
  std::string_view BankCountry() const noexcept {
    const std::string_view bic = Text("T8");
    if (bic.size() >= 6 && !bic.starts_with("///")) return bic.substr(4, 2);
    const std::string_view bank = Text("T9a");
    return bank.empty() ? Text("T10a") : bank;
  }

  // Within the EEA, in an EEA currency, debited in the currency it is paid in.
  bool WithinEeaWithoutConversion() const noexcept {
    return payment::IsEeaCountry(BankCountry()) && payment::IsEeaCurrency(Field("T13")) &&
           Field("T4a") == Field("T13") && Field("T19") != "91";
  }

  // The amount in thousandths of its currency unit; nullopt when T14a or T14b
  // hold anything but digits.
  std::optional<std::uint64_t> AmountThousandths() const noexcept {
    const std::string_view whole = Field("T14a");
    const std::string_view fraction = Field("T14b");
    if (!IsDigits(whole) || !IsDigits(fraction) || fraction.size() != 3) return std::nullopt;
    std::uint64_t value = 0;
    for (const char c : whole) value = value * 10 + static_cast<std::uint64_t>(c - '0');
    for (const char c : fraction) value = value * 10 + static_cast<std::uint64_t>(c - '0');
    return value;
  }

  std::string KindText() const {
    const std::string code = PrintableCode();
    switch (kind_) {
      case kEuStandard:
        return "an EU standard payment (Zahlungsart 13)";
      case kEue:
        return "an EUE payment (Zahlungsart 11)";
      case kCheque:
        return "a cheque (Zahlungsart " + code + ")";
      case kGeneral:
        break;
    }
    return "a general payment (Zahlungsart " + code + ")";
  }

 private:
  static Kind KindOf(std::string_view code) noexcept {
    if (code == "13") return kEuStandard;
    if (code == "11") return kEue;
    const bool cheque =
        code.size() == 2 && (code[0] == '2' || code[0] == '3') && code[1] >= '0' && code[1] <= '3';
    return cheque ? kCheque : kGeneral;
  }
  std::string PrintableCode() const {
    const std::string_view code = Field("T22");
    return IsDigits(code) ? std::string(code) : std::string("?");
  }

  const Record& record_;
  Kind kind_;
};

bool StartsWith(std::string_view text, std::string_view prefix) noexcept {
  return text.substr(0, prefix.size()) == prefix;
}

bool IsBlzAfterSlashes(std::string_view bic) noexcept {
  return StartsWith(bic, "///") && bic.size() == 11 && IsDigits(bic.substr(3));
}

// One rule of a payment kind: where it applies, when it holds, and what is
// wrong when it does not. In the message, {kind}, {content}, {iban} and
// {amount} stand for the payment's kind, the field's content, the IBAN and
// the amount.
struct PaymentRule {
  unsigned kinds;
  FieldKey field;
  bool (*holds)(const Payment&);
  std::string_view message;
};

constexpr PaymentRule kPaymentRules[] = {
    {kEuStandard | kEue, "T4a", [](const Payment& p) { return p.Text("T4a") == "EUR"; },
     "{kind} is debited to a euro account; the field holds {content}"},
    {kEuStandard, "T7a", [](const Payment& p) { return IsBlank(p.Field("T7a")); },
     "must be blank in {kind}; it holds {content}"},
    {kEuStandard, "T7b",
     [](const Payment& p) { return !IsDigits(p.Field("T7b")) || IsZeros(p.Field("T7b")); },
     "must hold zeros in {kind}; it holds {content}"},
    {kEue, "T7a",
     [](const Payment& p) { return IsBlank(p.Field("T7a")) || p.Text("T7a") == "EUR"; },
     "{kind} takes only EUR here; the field holds {content}"},
    {kGeneral | kEue | kCheque, "T7a",
     [](const Payment& p) { return IsBlank(p.Field("T7a")) || IsCurrencyCode(p.Field("T7a")); },
     "{content} is not a three-letter ISO currency code"},
    {kEuStandard | kEue, "T8", [](const Payment& p) { return !IsBlank(p.Field("T8")); },
     "{kind} needs the BIC of the payee's bank"},
    {kEuStandard | kEue, "T8",
     [](const Payment& p) { return IsBlank(p.Field("T8")) || payment::IsValidBic(p.Text("T8")); },
     "{content} is not a BIC: 4 letters for the bank, 2 for the country, 2 letters or digits "
     "for the location, optionally 3 for the branch"},
    {kGeneral, "T8",
     [](const Payment& p) {
       return !StartsWith(p.Text("T8"), "///") || IsBlzAfterSlashes(p.Text("T8"));
     },
     "{content} is not three slashes followed by an 8-digit BLZ"},
    {kGeneral, "T9b.1",
     [](const Payment& p) {
       return payment::IsValidBic(p.Text("T8")) || IsBlzAfterSlashes(p.Text("T8")) ||
              !IsBlank(p.Field("T9b.1"));
     },
     "the address of the payee's bank is mandatory when T8 holds neither a BIC nor a BLZ "
     "(\"UNBEKANNT\" when it is not known)"},
    {kCheque, "T8", [](const Payment& p) { return IsBlank(p.Field("T8")); },
     "{kind} names no bank of the payee; the field holds {content}"},
    {kCheque, "T9b.1", [](const Payment& p) { return IsBlank(p.Field("T9b.1")); },
     "{kind} carries no address of the payee's bank; the field holds {content}"},
    {kCheque, "T9b.2", [](const Payment& p) { return IsBlank(p.Field("T9b.2")); },
     "{kind} carries no address of the payee's bank; the field holds {content}"},
    {kCheque, "T9b.3", [](const Payment& p) { return IsBlank(p.Field("T9b.3")); },
     "{kind} carries no address of the payee's bank; the field holds {content}"},
    {kCheque, "T9b.4", [](const Payment& p) { return IsBlank(p.Field("T9b.4")); },
     "{kind} carries no address of the payee's bank; the field holds {content}"},
    {kTransfers, "T11", [](const Payment& p) { return IsBlank(p.Field("T11")); },
     "only cheques (Zahlungsart 20 to 23 and 30 to 33) carry an Ordervermerk; the field holds "
     "{content}"},
    {kEuStandard, "T12", [](const Payment& p) { return !IsBlank(p.Field("T12")); },
     "{kind} needs the payee's IBAN"},
    {kEuStandard, "T12",
     [](const Payment& p) { return IsBlank(p.Field("T12")) || payment::IsIbanForm(p.Iban()); },
     "{content} is not an IBAN: two letters, two check digits, then up to 30 letters or digits "
     "without blanks"},
    {kEveryKind, "T12",
     [](const Payment& p) {
       return !payment::IsIbanForm(p.Iban()) || payment::IbanCheckDigitsHold(p.Iban());
     },
     "the check digits of IBAN {iban} do not hold"},
    {kEuStandard | kEue, "T13", [](const Payment& p) { return p.Field("T13") == "EUR"; },
     "{kind} is made in euro; the order currency is {content}"},
    {kEveryKind, "T14a", [](const Payment& p) { return p.AmountThousandths().value_or(1) != 0; },
     "the amount is zero"},
    {kEuStandard, "T14a",
     [](const Payment& p) {
       return p.AmountThousandths().value_or(0) <= kEuStandardCeilingThousandths;
     },
     "{kind} may carry at most 50000.00 EUR; this one carries {amount}"},
    {kCheque, "T16", [](const Payment& p) { return p.Field("T16") == "00"; },
     "{kind} carries no instruction code here; the field holds {content}"},
    {kCheque, "T17", [](const Payment& p) { return p.Field("T17") == "00"; },
     "{kind} carries no instruction code here; the field holds {content}"},
    {kCheque, "T18", [](const Payment& p) { return p.Field("T18") == "00"; },
     "{kind} carries no instruction code here; the field holds {content}"},
    {kCheque, "T19",
     [](const Payment& p) { return p.Field("T19") == "00" || p.Field("T19") == "91"; },
     "{kind} carries only instruction code 91 here; the field holds {content}"},
    {kCheque, "T20", [](const Payment& p) { return IsBlank(p.Field("T20")); },
     "{kind} carries no instruction information; the field holds {content}"},
    {kEuStandard | kCheque, "T21",
     [](const Payment& p) { return !IsDigits(p.Field("T21")) || p.Field("T21") == "00"; },
     "{kind} takes Entgeltregelung 00 only; the field holds {content}"},
    {kGeneral | kEue, "T21",
     [](const Payment& p) {
       const std::string_view code = p.Field("T21");
       return (code != "01" && code != "02") || !p.WithinEeaWithoutConversion();
     },
     "within the EEA in an EEA currency without conversion (T4a = T13) only Entgeltregelung 00 "
     "is allowed; the field holds {content}"},
    {kEveryKind, "T24",
     [](const Payment& p) {
       const std::string_view text = p.Text("T24");
       return !StartsWith(text, "INVF") || (text.size() == 14 && IsDigits(text.substr(4)));
     },
     "{content} begins with INVF, so the Bundesland number (2 digits) and the Firmennummer or "
     "BLZ (8 digits) of the party obliged to report must follow, and nothing else"},
};

std::string AmountText(std::uint64_t thousandths) {
  std::string fraction = std::to_string(1000 + thousandths % 1000).substr(1);
  if (fraction.back() == '0') fraction.pop_back();
  return std::to_string(thousandths / 1000) + "." + fraction;
}

std::string Worded(const PaymentRule& rule, const Payment& payment, const FindingList& findings) {
  std::string text(rule.message);
  const auto fill = [&text](std::string_view placeholder, const std::string& value) {
    for (std::size_t at = text.find(placeholder); at != std::string::npos;
         at = text.find(placeholder, at + value.size())) {
      text.replace(at, placeholder.size(), value);
    }
  };
  fill("{kind}", payment.KindText());
  fill("{content}", findings.Quote(payment.Field(rule.field)));
  fill("{iban}", std::string(payment.Iban()));
  fill("{amount}", AmountText(payment.AmountThousandths().value_or(0)));
  return text;
}

std::optional<std::chrono::sys_days> DateIn(const Record& record, std::string_view id) {
  const FieldSpec* field = FindField(*record.layout, id);
  if (field == nullptr || !record.Holds(*field)) return std::nullopt;
  return ParseShortDate(record.Field(*field));
}

void CheckExecutionDate(const Payment& payment, const Record& header, FindingList& findings) {
  const Record& record = payment.record();
  const FieldSpec& field = *FindField(*record.layout, "T5");
  if (!record.Holds(field) || IsZeros(record.Field(field))) return;  // Q8 applies
  const auto date = ParseShortDate(record.Field(field));
  const auto created = DateIn(header, "Q6");
  const auto executed = DateIn(header, "Q8");
  if (!date || !created || !executed) return;
  if (DaysBetween(*executed, *date) < 0) {
    findings.About(record, field,
                   "execution date " + std::string(record.Field(field)) +
                       " lies before the file's execution date " +
                       std::string(header.Field(*FindField(*header.layout, "Q8"))) + " (Q8)");
  } else if (const long days = DaysBetween(*created, *date); days > kLongestExecutionDelay) {
    findings.About(record, field,
                   "execution date " + std::string(record.Field(field)) + " lies " +
                       std::to_string(days) + " days after the creation date " +
                       std::string(header.Field(*FindField(*header.layout, "Q6"))) +
                       " (Q6); at most 15 are allowed");
  }
}

}  // namespace

void CheckHeaderRules(const Record& header, FindingList& findings) {
  const FieldSpec& creation = *FindField(*header.layout, "Q6");
  const FieldSpec& execution = *FindField(*header.layout, "Q8");
  const auto created = DateIn(header, "Q6");
  const auto executed = DateIn(header, "Q8");
  if (!created || !executed) return;
  const long days = DaysBetween(*created, *executed);
  const std::string date(header.Field(execution));
  const std::string creation_date(header.Field(creation));
  if (days < 0) {
    findings.About(
        header, execution,
        "execution date " + date + " lies before the creation date " + creation_date + " (Q6)");
  } else if (days > kLongestExecutionDelay) {
    findings.About(header, execution,
                   "execution date " + date + " lies " + std::to_string(days) +
                       " days after the creation date " + creation_date +
                       " (Q6); at most 15 are allowed");
  }
}

void CheckPaymentRules(const Record& record, const Record* header, FindingList& findings) {
  if (record.layout == nullptr || record.type != 'T') return;
  const Payment payment(record);
  for (const PaymentRule& rule : kPaymentRules) {
    if ((rule.kinds & payment.kind()) == 0) continue;  // before the lookup, which costs more
    const FieldSpec* field = FindFieldByKey(*record.layout, rule.field);
    if (!record.Holds(*field)) continue;
    if (!rule.holds(payment)) findings.About(record, *field, Worded(rule, payment, findings));
  }
  if (header != nullptr) CheckExecutionDate(payment, *header, findings);
}

}  // namespace xkdtazv::cli
