#include "pain001/validation.h"

#include <algorithm>
#include <array>
#include <string_view>

#include "pain001/order_type.h"
#include "payment_order/amount.h"
#include "payment_order/eea.h"
#include "payment_order/identifiers.h"

namespace xkdtazv::pain001 {
namespace {

using payment::Findings;
using payment::Party;
using payment::PaymentOrder;

// A text element of the documents: what the messages call it, where the view
// keeps it, how many characters the element holds.
template <typename Owner>
struct TextElement {
  std::string_view name;
  payment::Text& (*text)(Owner&);
  std::size_t max_length;
};

const std::array<TextElement<Party>, 4> kPartyTexts{{
    {"Name", [](Party& p) -> payment::Text& { return p.name; }, 70},
    {"Strasse", [](Party& p) -> payment::Text& { return p.address.street; }, 70},
    {"Postleitzahl", [](Party& p) -> payment::Text& { return p.address.postal_code; }, 16},
    {"Ort", [](Party& p) -> payment::Text& { return p.address.town; }, 35},
}};

const std::array<TextElement<PaymentOrder>, 9> kPaymentTexts{{
    {"Bankname", [](PaymentOrder& o) -> payment::Text& { return o.creditor_agent.name; }, 140},
    {"Strasse der Bank",
     [](PaymentOrder& o) -> payment::Text& { return o.creditor_agent.address.street; }, 70},
    {"Postleitzahl der Bank",
     [](PaymentOrder& o) -> payment::Text& { return o.creditor_agent.address.postal_code; }, 16},
    {"Ort der Bank",
     [](PaymentOrder& o) -> payment::Text& { return o.creditor_agent.address.town; }, 35},
    {"Bankkennung", [](PaymentOrder& o) -> payment::Text& { return o.creditor_agent.other_id; },
     35},
    {"Kontonummer des Empfaengers",
     [](PaymentOrder& o) -> payment::Text& { return o.creditor_account.other_id; }, 34},
    {"Verwendungszweck", [](PaymentOrder& o) -> payment::Text& { return o.remittance; }, 140},
    {"Weisung an die eigene Bank",
     [](PaymentOrder& o) -> payment::Text& { return o.debtor_agent_instruction; }, 140},
    {"Referenz", [](PaymentOrder& o) -> payment::Text& { return o.instruction_id; }, 35},
}};

std::size_t CodePoints(std::string_view utf8) {
  return static_cast<std::size_t>(std::count_if(utf8.begin(), utf8.end(), [](char c) {
    return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
  }));
}

bool IsCapitals(std::string_view text, std::size_t length) {
  return text.size() == length &&
         std::all_of(text.begin(), text.end(), [](char c) { return c >= 'A' && c <= 'Z'; });
}

// The field as the messages name it: "Name", " des Empfaengers".
std::string Label(std::string_view name, std::string_view whose) {
  std::string label(name);
  label += whose;
  return label;
}

class Preparation {
 public:
  Preparation(const SwiftLatin& latin, payment::TextStore& texts, Findings& findings)
      : latin_(latin), texts_(texts), findings_(findings) {}

  // Into the set, then within the element's length.
  void Fit(payment::Text& text, std::string_view name, std::size_t max_length, std::size_t payment,
           std::string_view whose = {}) {
    if (text.empty()) return;
    // Most texts are in the set already: they stay as they are.
    if (!std::all_of(text.begin(), text.end(), SwiftLatin::InSet)) {
      LatinText latin = latin_.Convert(text);
      if (!latin.outside.empty()) {
        findings_.Error(payment, "Das Feld " + Label(name, whose) + " \"" + text +
                                     "\" enthaelt Zeichen ausserhalb des SWIFT-Zeichensatzes: \"" +
                                     latin.outside + "\"");
      }
      if (latin.replaced_ampersand) {
        findings_.Warning(payment,
                          "Im Feld " + Label(name, whose) + " wird \"&\" als \"+\" uebertragen");
      }
      text = texts_.Keep(latin.text);
    }
    while (!text.empty() && text.back() == ' ') text = text.Part(0, text.size() - 1);
    if (text.size() > max_length) {
      findings_.Warning(payment, "Das Feld " + Label(name, whose) + " wird auf " +
                                     std::to_string(max_length) + " Zeichen gekuerzt: \"" +
                                     text.Part(max_length) + "\" entfaellt");
      text = text.Part(0, max_length);
    }
  }

  void FitParty(Party& party, std::size_t payment, std::string_view whose) {
    for (const auto& element : kPartyTexts) {
      Fit(element.text(party), element.name, element.max_length, payment, whose);
    }
  }

  void CheckParty(const Party& party, std::size_t payment, std::string_view whose) {
    if (party.name.empty()) findings_.Error(payment, "Der Name " + std::string(whose) + " fehlt");
    if (party.address.town.empty()) {
      findings_.Error(payment, "Der Ort " + std::string(whose) +
                                   " fehlt; ohne Ort nehmen Banken die "
                                   "Zahlung nicht an");
    }
    if (!IsCapitals(party.address.country, 2)) {
      findings_.Error(payment, "Der Laendercode " + std::string(whose) + " \"" +
                                   party.address.country + "\" ist kein ISO-Laendercode");
    }
  }

  void Prepare(PaymentOrder& order) {
    const std::size_t n = order.number;
    FitParty(order.creditor, n, " des Empfaengers");
    for (const auto& element : kPaymentTexts) {
      Fit(element.text(order), element.name, element.max_length, n);
    }
    for (auto& instruction : order.creditor_agent_instructions) {
      Fit(instruction.text, "Weisungszusatz", 140, n);
    }
    // The payer's reference for the payee is passed on as given, or refused.
    const payment::Text end_to_end = order.end_to_end_id;
    if (!end_to_end.empty() &&
        (CodePoints(end_to_end) > 35 || end_to_end.front() == '/' || end_to_end.back() == '/' ||
         end_to_end.find("//") != std::string::npos)) {
      findings_.Error(n, "Die Referenz fuer den Empfaenger \"" + end_to_end +
                             "\" hat mehr als 35 Zeichen, \"/\" am Anfang oder Ende oder \"//\"");
    }
    Fit(order.end_to_end_id, "Referenz fuer den Empfaenger", 35, n);
    // References travel between banks: no "/" at either end, never "//".
    const payment::Text id = order.instruction_id;
    if (id.empty() || (id.front() != '/' && id.back() != '/' && id.find("//") == id.npos)) return;
    std::string reference;
    for (const char c : id) {
      if (c == '/' && (reference.empty() || reference.back() == '/')) continue;
      reference += c;
    }
    if (!reference.empty() && reference.back() == '/') reference.pop_back();
    order.instruction_id = texts_.Keep(reference);
  }

  void Check(const PaymentOrder& order) {
    const std::size_t n = order.number;
    if (order.kind == payment::PaymentKind::kCheque) {
      findings_.Error(n,
                      "Scheckziehungen (Zahlungsart " + order.kind_code +
                          ") haben in pain.001 keine Entsprechung; die Datei wird nicht umgesetzt");
      return;
    }
    CheckAmount(order);
    CheckAccounts(order);
    CheckParty(order.creditor, n, "des Empfaengers");
    CheckAgent(order);
    CheckOrderType(order);
  }

 private:
  // The payments of a file mostly share one debit account and bank: the last
  // one found valid is not checked again.
  static bool KnownValid(std::string_view id, std::string& last_valid,
                         bool (*valid)(std::string_view)) {
    if (id == last_valid) return true;
    if (!valid(id)) return false;
    last_valid = id;
    return true;
  }

  void CheckAmount(const PaymentOrder& order) {
    const std::size_t n = order.number;
    const payment::Amount& amount = order.amount;
    if (amount.units.empty()) return;  // unreadable digits, reported by the reader
    if (!IsCapitals(amount.currency, 3)) {
      findings_.Error(
          n, "Die Auftragswaehrung \"" + amount.currency + "\" ist kein ISO-Waehrungscode");
      return;
    }
    if (!order.transfer_currency.empty() && !IsCapitals(order.transfer_currency, 3)) {
      findings_.Error(
          n, "Die Auftragswaehrung \"" + order.transfer_currency + "\" ist kein ISO-Waehrungscode");
    }
    if (!payment::IsPositive(amount)) findings_.Error(n, "Der Betrag muss groesser als Null sein");
    if (!payment::FitsMinorUnit(amount)) {
      findings_.Error(n, "Der Betrag hat mehr Nachkommastellen, als die Waehrung " +
                             amount.currency + " kennt (" +
                             std::to_string(payment::MinorUnit(amount.currency)) + ")");
    }
  }

  void CheckAccounts(const PaymentOrder& order) {
    const std::size_t n = order.number;
    if (!order.debtor_account.iban.empty() &&
        !KnownValid(order.debtor_account.iban, valid_debtor_iban_, payment::IsValidIban)) {
      findings_.Error(
          n, "Die IBAN des Auftraggebers \"" + order.debtor_account.iban + "\" ist ungueltig");
    }
    if (!IsCapitals(order.debtor_account.currency, 3)) {
      findings_.Error(n, "Die Kontowaehrung \"" + order.debtor_account.currency +
                             "\" ist kein ISO-Waehrungscode");
    }
    if (!order.debtor_agent_bic.empty() &&
        !KnownValid(order.debtor_agent_bic, valid_debtor_bic_, payment::IsValidBic)) {
      findings_.Error(n,
                      "Der BIC des Auftraggebers \"" + order.debtor_agent_bic + "\" ist ungueltig");
    }
    if (!order.charges_account.empty() && !IsCapitals(order.charges_account.currency, 3)) {
      findings_.Error(n, "Die Waehrung des Entgeltkontos \"" + order.charges_account.currency +
                             "\" ist kein ISO-Waehrungscode");
    }
    const payment::Account& account = order.creditor_account;
    if (account.empty()) {
      findings_.Error(n, "Die IBAN oder Kontonummer des Empfaengers fehlt");
    } else if (!account.iban.empty() && !payment::IsValidIban(account.iban)) {
      findings_.Error(n, "Die IBAN des Empfaengers \"" + account.iban + "\" ist ungueltig");
    }
  }

  void CheckAgent(const PaymentOrder& order) {
    const std::size_t n = order.number;
    const payment::Agent& agent = order.creditor_agent;
    if (!agent.bic.empty() && !payment::IsValidBic(agent.bic)) {
      findings_.Error(n, "Der BIC der Bank des Empfaengers \"" + agent.bic + "\" ist ungueltig");
    }
    if (agent.clearing_system == "DEBLZ" &&
        (agent.member_id.size() != 8 ||
         !std::all_of(agent.member_id.begin(), agent.member_id.end(),
                      [](char c) { return c >= '0' && c <= '9'; }))) {
      findings_.Error(
          n, "Die BLZ der Bank des Empfaengers \"" + agent.member_id + "\" hat nicht acht Ziffern");
    }
    if (!agent.name.empty() && agent.bic.empty())
      CheckParty({agent.name, agent.address}, n, "der Bank");
  }

  // The country the payee's bank is in: from its BIC, its address or the payee's.
  static std::string_view AgentCountry(const PaymentOrder& order) {
    if (order.creditor_agent.bic.size() >= 6) return order.creditor_agent.bic.substr(4, 2);
    if (!order.creditor_agent.address.country.empty()) return order.creditor_agent.address.country;
    return order.creditor.address.country;
  }

  void CheckOrderType(const PaymentOrder& order) {
    const std::size_t n = order.number;
    const OrderType type = OrderTypeOf(order.kind);
    if (type == OrderType::kAxz) {
      const bool eea = payment::IsEeaCountry(AgentCountry(order)) &&
                       payment::IsEeaCurrency(order.amount.currency) &&
                       order.debtor_account.currency == order.amount.currency &&
                       order.transfer_currency.empty();
      if (eea && order.charge_bearer != payment::ChargeBearer::kShared) {
        findings_.Error(n,
                        "Innerhalb des EWR in einer EWR-Waehrung ohne Umrechnung ist nur die "
                        "Entgeltregelung 00 (SHAR) zulaessig, nicht " +
                            order.charges_code);
      }
      return;
    }
    const std::string what = type == OrderType::kCct ? "SEPA-Ueberweisung" : "Euro-Eilueberweisung";
    if (order.amount.currency != "EUR" || !order.transfer_currency.empty()) {
      findings_.Error(n, "Eine " + what + " geht nur in EUR, nicht in " +
                             (order.transfer_currency.empty() ? order.amount.currency
                                                              : order.transfer_currency));
    }
    if (type == OrderType::kCct && order.creditor_account.iban.empty()) {
      findings_.Error(n, "Eine SEPA-Ueberweisung braucht die IBAN des Empfaengers");
    }
    if (order.charge_bearer != payment::ChargeBearer::kShared) {
      findings_.Error(n, "Bei einer " + what + " ist nur die Entgeltregelung 00 zulaessig, nicht " +
                             order.charges_code);
    }
    if (!order.creditor_agent_instructions.empty() || !order.debtor_agent_instruction.empty()) {
      findings_.Warning(n, "Weisungsschluessel und Weisungszusatz entfallen bei einer " + what);
    }
  }

  const SwiftLatin& latin_;
  payment::TextStore& texts_;
  Findings& findings_;
  std::string valid_debtor_iban_;
  std::string valid_debtor_bic_;
};

}  // namespace

void PrepareAndValidate(payment::PaymentFile& file, const SwiftLatin& latin, Findings& findings) {
  Preparation preparation(latin, file.texts, findings);
  preparation.FitParty(file.initiating_party, 0, " des Auftraggebers");
  preparation.CheckParty(file.initiating_party, 0, "des Auftraggebers");
  for (PaymentOrder& order : file.orders) {
    preparation.Prepare(order);
    preparation.Check(order);
  }
}

}  // namespace xkdtazv::pain001
