#include "pain001/object_view.h"

#include <algorithm>
#include <string_view>

#include "field/codes.h"
#include "payment_order/identifiers.h"
#include "payment_order/town_line.h"
#include "platform/huge_pages.h"
#include "reader/field_meaning.h"
#include "xkdtazv/failure.h"

namespace xkdtazv::pain001 {
namespace {

using payment::Findings;
using payment::Text;

std::string_view Trim(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  return text;
}

// A code as its record field holds it: two digits, "" when never written.
std::string CodeOf(std::string_view stored) {
  if (stored.empty()) return {};
  // One or two digits, as codes are stored, read the same without the number's
  // parsing: the value's digits, two of them.
  if (stored.size() <= 2 &&
      std::all_of(stored.begin(), stored.end(), [](char c) { return c >= '0' && c <= '9'; })) {
    std::string text(2 - stored.size(), '0');
    text += stored;
    return text;
  }
  std::string text = std::to_string(detail::CodeValue(stored));
  if (text.size() < 2) text.insert(0, 2 - text.size(), '0');
  return text;
}

// The stored values live in the payments, which outlive the view.
Text Stored(std::string_view value) { return Text::Kept(Trim(value)); }

Text CodeOr(std::string_view value, Text fallback, payment::TextStore& texts) {
  const std::string_view trimmed = Trim(value);
  if (trimmed.empty() || trimmed == fallback) return fallback;
  return texts.Keep(trimmed);
}

// The stored amount, exactly: the integer part and the hundredths as the
// record carries them.
payment::Amount AmountOf(const GeldTransfer& transfer, const StoredValues& values,
                         std::size_t number, payment::TextStore& texts, Findings& findings) {
  const std::string_view units = values.units;
  const std::string_view hundredths = values.hundredths;
  const Text currency = CodeOr(transfer.Auftragswaehrung(), "EUR", texts);
  if (units.empty()) {
    findings.Error(number, "Der Betrag fehlt");
    return {currency, "", ""};
  }
  // A negative amount: the check of the amount reports it as not above zero.
  if (units.front() == '-' || (!hundredths.empty() && hundredths.front() == '-')) {
    return {currency, "0", ""};
  }
  return {currency, Text::Kept(units), Text::Kept(hundredths)};
}

class ObjectReader {
 public:
  ObjectReader(StoredValuesFunction stored_values, Findings& findings)
      : stored_values_(stored_values), findings_(findings) {}

  payment::PaymentFile Read(const MeineInfo& sender,
                            const std::vector<std::shared_ptr<GeldTransfer>>& transfers) {
    payment::PaymentFile view;
    texts_ = &view.texts;
    ReadSender(sender, view.initiating_party);
    // Room for all at once: growing by doubling would hold the old and the
    // new array together, half again the view's size at the peak.
    view.orders.reserve(transfers.size());
    detail::PreferHugePages(view.orders.data(),
                            view.orders.capacity() * sizeof(payment::PaymentOrder));
    std::size_t number = 0;
    for (const std::shared_ptr<GeldTransfer>& transfer : transfers) {
      ++number;
      if (!transfer) {
        throw Failure(FailureCode::kObjectNotSet,
                      "GeldTransfer " + std::to_string(number) + " ist kein Objekt");
      }
      ReadPayment(*transfer, number, view.orders.emplace_back());
    }
    if (view.orders.empty()) findings_.Error(0, "Es gibt keine Zahlung");
    return view;
  }

 private:
  // A text that the view keeps: what the properties give are copies.
  Text Keep(std::string_view text) { return texts_->Keep(text); }

  // Postal code and town as given, or the town line split.
  payment::PostalAddress Address(Text street, const std::string& postal_code,
                                 const std::string& town, Text town_line, Text country,
                                 std::size_t payment, std::string_view whose) {
    if (postal_code.empty() && town.empty()) {
      return cli::AddressOf(street, town_line, country, payment, whose, splitter_, findings_);
    }
    return {street, Keep(postal_code), Keep(town), country};
  }

  void ReadSender(const MeineInfo& sender, payment::Party& party) {
    party.name = cli::JoinLines({Keep(Trim(sender.Name())), Keep(Trim(sender.Vorname()))}, *texts_);
    party.address = Address(Keep(Trim(sender.Strasse())), sender.PLZ(), sender.Ort(),
                            Keep(Trim(sender.OrtPLZ())), CodeOr(sender.LaenderISO(), "DE", *texts_),
                            0, "des Auftraggebers");
    debtor_account_.currency = CodeOr(sender.Waehrung(), "EUR", *texts_);
    debtor_bank_code_ = Keep(sender.BLZ());
    debtor_bic_ = Keep(Trim(sender.BIC()));
    if (!Trim(sender.IBAN()).empty()) {
      debtor_account_.iban = Keep(Trim(sender.IBAN()));
    } else {
      debtor_account_.iban = Keep(payment::GermanIban(sender.BLZ(), sender.Kontonummer()));
      if (debtor_account_.iban.empty()) {
        findings_.Error(0, "Aus BLZ \"" + sender.BLZ() + "\" und Kontonummer \"" +
                               sender.Kontonummer() + "\" ergibt sich keine IBAN");
      } else {
        findings_.Warning(0, "Die IBAN des Auftraggebers " + debtor_account_.iban +
                                 " ist nach der Standardregel aus BLZ und Kontonummer gebildet; "
                                 "manche Banken haben eigene IBAN-Regeln, dann bitte die IBAN "
                                 "angeben");
      }
    }
    const auto date = cli::ShortDate(sender.ExecutionDate());
    if (date) {
      execution_date_ = *date;
    } else {
      findings_.Error(0, "Das Ausfuehrungsdatum \"" + sender.ExecutionDate() + "\" ist kein Datum");
    }
  }

  // Into its place in the view: an order is large to move.
  void ReadPayment(const GeldTransfer& t, std::size_t number, payment::PaymentOrder& order) {
    order.number = number;
    const StoredValues values = stored_values_(t);
    cli::ApplyPaymentKind(CodeOf(values.kind), order, *texts_, findings_);
    order.amount = AmountOf(t, values, number, *texts_, findings_);
    order.debtor_account = debtor_account_;
    order.debtor_bank_code = debtor_bank_code_;
    order.debtor_agent_bic = debtor_bic_;
    order.execution_date = execution_date_;
    ReadCreditor(t, values, order);
    const std::array<std::string, 4> codes{
        CodeOf(values.instructions[0]), CodeOf(values.instructions[1]),
        CodeOf(values.instructions[2]), CodeOf(values.instructions[3])};
    cli::ApplyInstructionCodes({codes[0], codes[1], codes[2], codes[3]},
                               Stored(values.instruction_text), order, *texts_, findings_);
    std::string charges = std::string(Trim(values.charges));
    if (charges.empty()) charges = "00";
    if (charges.size() == 1) charges.insert(charges.begin(), '0');
    cli::ApplyChargesCode(charges, values.charges, order, *texts_, findings_);
    order.remittance = cli::JoinLines({Stored(values.remittance[0]), Stored(values.remittance[1]),
                                       Stored(values.remittance[2]), Stored(values.remittance[3])},
                                      *texts_);
    order.instruction_id = Stored(values.reference);
    order.end_to_end_id = Keep(t.EndToEndId());
  }

  void ReadCreditor(const GeldTransfer& t, const StoredValues& values,
                    payment::PaymentOrder& order) {
    const std::size_t n = order.number;
    Text country = Keep(Trim(t.LaenderISO()));
    if (country.empty()) {
      try {
        country = Keep(detail::CountryCode(static_cast<std::int32_t>(t.LaenderCode())));
      } catch (const Failure&) {
      }
    }
    order.creditor.name = cli::JoinLines({Stored(values.name), Stored(values.first_name)}, *texts_);
    order.creditor.address = Address(Stored(values.street), t.PLZ(), t.Ort(),
                                     Stored(values.town_line), country, n, "des Empfaengers");

    order.creditor_account = cli::CreditorAccountOf(Stored(values.iban));
    if (order.creditor_account.empty()) {
      order.creditor_account = {"", Keep(Trim(t.EmpfaengerKonto())), ""};
    }

    payment::Agent& agent = order.creditor_agent;
    cli::ApplyBankIdentifier(Stored(values.bic), agent);
    ApplyClearingCode(Trim(t.Clearingcode()), order);
    agent.name = Keep(Trim(t.BankName()));
    if (!agent.name.empty()) {
      const Text bank_country = Stored(values.bank_country).Part(0, 2);
      agent.address = Address("", "", "", Keep(Trim(t.BankOrtPLZ())),
                              bank_country.empty() ? country : bank_country, n, "der Bank");
    } else if (agent.empty() && order.kind != payment::PaymentKind::kEuStandard) {
      findings_.Note(n,
                     "Ohne BIC, Clearingcode und BankName bleibt die Bank des Empfaengers "
                     "ungenannt");
    }
  }

  // Five capitals for the clearing system ("USABA", "GBDSC", "CHBCC"), then
  // the bank's code in it; a blank or ":" between them is allowed.
  void ApplyClearingCode(std::string_view code, payment::PaymentOrder& order) {
    if (code.empty()) return;
    const bool system = code.size() > 5 && std::all_of(code.begin(), code.begin() + 5,
                                                       [](char c) { return c >= 'A' && c <= 'Z'; });
    std::string_view member = code.size() > 5 ? code.substr(5) : std::string_view();
    if (!member.empty() && (member.front() == ' ' || member.front() == ':'))
      member.remove_prefix(1);
    const bool plain =
        !member.empty() && member.size() <= 35 &&
        std::all_of(member.begin(), member.end(), [](char c) {
          return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
        });
    if (!system || !plain) {
      findings_.Error(order.number, "Der Clearingcode \"" + std::string(code) +
                                        "\" ist nicht Clearingsystem (fuenf Grossbuchstaben, "
                                        "etwa USABA) und Bankcode");
      return;
    }
    order.creditor_agent.clearing_system = Keep(code.substr(0, 5));
    order.creditor_agent.member_id = Keep(member);
  }

  StoredValuesFunction stored_values_;
  Findings& findings_;
  payment::TextStore* texts_ = nullptr;  // the view's
  payment::TownLineSplitter splitter_;
  payment::Account debtor_account_;
  Text debtor_bank_code_;
  Text debtor_bic_;
  std::chrono::year_month_day execution_date_{};
};

}  // namespace

payment::PaymentFile ViewOfObjects(const MeineInfo& sender,
                                   const std::vector<std::shared_ptr<GeldTransfer>>& transfers,
                                   StoredValuesFunction stored_values, Findings& findings) {
  return ObjectReader(stored_values, findings).Read(sender, transfers);
}

}  // namespace xkdtazv::pain001
