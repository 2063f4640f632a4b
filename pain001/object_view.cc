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

std::string_view Trim(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  return text;
}

// A code as its record field holds it: two digits, "" when never written.
std::string CodeOf(std::string_view stored) {
  if (stored.empty()) return "";
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

std::string CodeOr(std::string_view value, std::string_view fallback) {
  const std::string_view trimmed = Trim(value);
  return std::string(trimmed.empty() ? fallback : trimmed);
}

// The stored amount, exactly: the integer part and the hundredths as the
// record carries them.
payment::Amount AmountOf(const GeldTransfer& transfer, const StoredValues& values,
                         std::size_t number, Findings& findings) {
  const std::string_view units = values.units;
  const std::string_view hundredths = values.hundredths;
  const std::string currency = CodeOr(transfer.Auftragswaehrung(), "EUR");
  if (units.empty()) {
    findings.Error(number, "Der Betrag fehlt");
    return {currency, "", ""};
  }
  // A negative amount: the check of the amount reports it as not above zero.
  if (units.front() == '-' || (!hundredths.empty() && hundredths.front() == '-')) {
    return {currency, "0", ""};
  }
  return {currency, std::string(units), std::string(hundredths)};
}

class ObjectReader {
 public:
  ObjectReader(StoredValuesFunction stored_values, Findings& findings)
      : stored_values_(stored_values), findings_(findings) {}

  payment::PaymentFile Read(const MeineInfo& sender,
                            const std::vector<std::shared_ptr<GeldTransfer>>& transfers) {
    payment::PaymentFile view;
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
  // Postal code and town as given, or the town line split.
  payment::PostalAddress Address(std::string street, const std::string& postal_code,
                                 const std::string& town, const std::string& town_line,
                                 std::string country, std::size_t payment, std::string_view whose) {
    if (postal_code.empty() && town.empty()) {
      return cli::AddressOf(std::move(street), town_line, std::move(country), payment, whose,
                            splitter_, findings_);
    }
    return {std::move(street), postal_code, town, std::move(country)};
  }

  void ReadSender(const MeineInfo& sender, payment::Party& party) {
    party.name = cli::JoinLines({Trim(sender.Name()), Trim(sender.Vorname())});
    party.address = Address(std::string(Trim(sender.Strasse())), sender.PLZ(), sender.Ort(),
                            std::string(Trim(sender.OrtPLZ())), CodeOr(sender.LaenderISO(), "DE"),
                            0, "des Auftraggebers");
    debtor_account_.currency = CodeOr(sender.Waehrung(), "EUR");
    debtor_bank_code_ = sender.BLZ();
    debtor_bic_ = std::string(Trim(sender.BIC()));
    if (!Trim(sender.IBAN()).empty()) {
      debtor_account_.iban = std::string(Trim(sender.IBAN()));
    } else {
      debtor_account_.iban = payment::GermanIban(sender.BLZ(), sender.Kontonummer());
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
    cli::ApplyPaymentKind(CodeOf(values.kind), order, findings_);
    order.amount = AmountOf(t, values, number, findings_);
    order.debtor_account = debtor_account_;
    order.debtor_bank_code = debtor_bank_code_;
    order.debtor_agent_bic = debtor_bic_;
    order.execution_date = execution_date_;
    ReadCreditor(t, values, order);
    cli::ApplyInstructionCodes({CodeOf(values.instructions[0]), CodeOf(values.instructions[1]),
                                CodeOf(values.instructions[2]), CodeOf(values.instructions[3])},
                               std::string(Trim(values.instruction_text)), order, findings_);
    std::string charges = std::string(Trim(values.charges));
    if (charges.empty()) charges = "00";
    if (charges.size() == 1) charges.insert(charges.begin(), '0');
    cli::ApplyChargesCode(charges, values.charges, order, findings_);
    order.remittance = cli::JoinLines({Trim(values.remittance[0]), Trim(values.remittance[1]),
                                       Trim(values.remittance[2]), Trim(values.remittance[3])});
    order.instruction_id = std::string(Trim(values.reference));
    order.end_to_end_id = t.EndToEndId();
  }

  void ReadCreditor(const GeldTransfer& t, const StoredValues& values,
                    payment::PaymentOrder& order) {
    const std::size_t n = order.number;
    std::string country = std::string(Trim(t.LaenderISO()));
    if (country.empty()) {
      try {
        country = detail::CountryCode(static_cast<std::int32_t>(t.LaenderCode()));
      } catch (const Failure&) {
      }
    }
    order.creditor.name = cli::JoinLines({Trim(values.name), Trim(values.first_name)});
    order.creditor.address =
        Address(std::string(Trim(values.street)), t.PLZ(), t.Ort(),
                std::string(Trim(values.town_line)), country, n, "des Empfaengers");

    order.creditor_account = cli::CreditorAccountOf(Trim(values.iban));
    if (order.creditor_account.empty()) {
      order.creditor_account = {"", std::string(Trim(t.EmpfaengerKonto())), ""};
    }

    payment::Agent& agent = order.creditor_agent;
    cli::ApplyBankIdentifier(Trim(values.bic), agent);
    ApplyClearingCode(Trim(t.Clearingcode()), order);
    agent.name = std::string(Trim(t.BankName()));
    if (!agent.name.empty()) {
      std::string bank_country = std::string(Trim(values.bank_country).substr(0, 2));
      agent.address = Address("", "", "", std::string(Trim(t.BankOrtPLZ())),
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
    order.creditor_agent.clearing_system = std::string(code.substr(0, 5));
    order.creditor_agent.member_id = std::string(member);
  }

  StoredValuesFunction stored_values_;
  Findings& findings_;
  payment::TownLineSplitter splitter_;
  payment::Account debtor_account_;
  std::string debtor_bank_code_;
  std::string debtor_bic_;
  std::chrono::year_month_day execution_date_{};
};

}  // namespace

payment::PaymentFile ViewOfObjects(const MeineInfo& sender,
                                   const std::vector<std::shared_ptr<GeldTransfer>>& transfers,
                                   StoredValuesFunction stored_values, Findings& findings) {
  return ObjectReader(stored_values, findings).Read(sender, transfers);
}

}  // namespace xkdtazv::pain001
