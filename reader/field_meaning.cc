#include "reader/field_meaning.h"

#include <algorithm>
#include <cctype>
#include <utility>

#include "reader/text_encoding.h"

namespace xkdtazv::cli {
namespace {

using payment::ChargeBearer;
using payment::CreditorAgentCode;
using payment::PaymentKind;

constexpr std::size_t kLineWidth = 35;  // the width of each name, address and purpose line

// The payment kinds by their DTAZV code; every other code counts as a general payment.
struct KindCode {
  std::string_view code;
  PaymentKind kind;
};
constexpr std::array<KindCode, 13> kKinds{{
    {"00", PaymentKind::kGeneral},
    {"15", PaymentKind::kGeneral},
    {"10", PaymentKind::kUrgent},
    {"11", PaymentKind::kEuroSameDay},
    {"13", PaymentKind::kEuStandard},
    {"20", PaymentKind::kCheque},
    {"21", PaymentKind::kCheque},
    {"22", PaymentKind::kCheque},
    {"23", PaymentKind::kCheque},
    {"30", PaymentKind::kCheque},
    {"31", PaymentKind::kCheque},
    {"32", PaymentKind::kCheque},
    {"33", PaymentKind::kCheque},
}};

struct ChargesCode {
  std::string_view code;
  ChargeBearer bearer;
};
constexpr std::array<ChargesCode, 3> kCharges{{
    {"00", ChargeBearer::kShared},
    {"01", ChargeBearer::kDebtor},
    {"02", ChargeBearer::kCreditor},
}};

// Instruction codes that the payee's bank knows as codes of its own.
struct AgentCode {
  std::string_view code;
  CreditorAgentCode agent_code;
};
constexpr std::array<AgentCode, 4> kAgentCodes{{
    {"02", CreditorAgentCode::kChequeOnly},
    {"04", CreditorAgentCode::kHold},
    {"09", CreditorAgentCode::kPhoneCreditor},
    {"10", CreditorAgentCode::kTelecomCreditor},
}};

// Instruction codes that say what kind of payment it is.
constexpr std::array<std::pair<std::string_view, std::string_view>, 2> kCategoryCodes{{
    {"11", "CORT"},
    {"12", "INTC"},
}};
constexpr std::string_view kEuroEquivalent = "91";

}  // namespace

void ApplyPaymentKind(std::string_view code, payment::PaymentOrder& order,
                      payment::TextStore& texts, payment::Findings& findings) {
  const auto kind =
      std::find_if(kKinds.begin(), kKinds.end(), [&](const KindCode& k) { return k.code == code; });
  if (kind != kKinds.end()) {
    order.kind_code = payment::Text::Kept(kind->code);
    order.kind = kind->kind;
    return;
  }
  order.kind_code = texts.Keep(code);
  order.kind = PaymentKind::kGeneral;
  findings.Warning(order.number, "Zahlungsart \"" + order.kind_code +
                                     "\" ist unbekannt; die Zahlung geht als allgemeine "
                                     "Auslandszahlung");
}

void ApplyChargesCode(std::string_view code, std::string_view shown, payment::PaymentOrder& order,
                      payment::TextStore& texts, payment::Findings& findings) {
  const auto charges = std::find_if(kCharges.begin(), kCharges.end(),
                                    [&](const ChargesCode& c) { return c.code == code; });
  if (charges == kCharges.end()) {
    order.charges_code = texts.Keep(code);
    findings.Error(order.number, "Entgeltregelung \"" + std::string(shown) + "\" ist unbekannt");
  } else {
    order.charges_code = payment::Text::Kept(charges->code);
    order.charge_bearer = charges->bearer;
  }
}

void ApplyInstructionCodes(const std::array<std::string_view, 4>& codes, payment::Text extra,
                           payment::PaymentOrder& order, payment::TextStore& texts,
                           payment::Findings& findings) {
  std::string for_own_bank;
  for (const std::string_view code : codes) {
    if (code.empty() || code == "00") continue;
    if (code == kEuroEquivalent) {
      order.transfer_currency = order.amount.currency;
      order.amount.currency = "EUR";
      continue;
    }
    const auto agent = std::find_if(kAgentCodes.begin(), kAgentCodes.end(),
                                    [&](const AgentCode& a) { return a.code == code; });
    if (agent != kAgentCodes.end()) {
      const bool first = order.creditor_agent_instructions.empty();
      order.creditor_agent_instructions.push_back(
          {agent->agent_code, first ? extra : payment::Text()});
      continue;
    }
    const auto category = std::find_if(kCategoryCodes.begin(), kCategoryCodes.end(),
                                       [&](const auto& c) { return c.first == code; });
    if (category != kCategoryCodes.end()) {
      if (order.category_purpose.empty()) {
        order.category_purpose = payment::Text::Kept(category->second);
      } else {
        findings.Warning(order.number, "Weisungsschluessel " + std::string(code) +
                                           " entfaellt; die Zahlung traegt schon die Kategorie " +
                                           order.category_purpose);
      }
      continue;
    }
    if (!for_own_bank.empty()) for_own_bank += ' ';
    for_own_bank += code;
  }
  if (!for_own_bank.empty()) {
    std::string instruction = "WEISUNGSSCHLUESSEL " + for_own_bank;
    if (order.creditor_agent_instructions.empty() && !extra.empty()) {
      instruction += ' ';
      instruction += extra;
    }
    order.debtor_agent_instruction = texts.Keep(instruction);
  } else if (order.creditor_agent_instructions.empty() && !extra.empty()) {
    order.debtor_agent_instruction = extra;
  }
}

payment::Account CreditorAccountOf(payment::Text account) {
  if (!account.empty() && account.front() == '/') account = account.Part(1);
  const std::size_t significant = std::min(account.find_first_not_of('0'), account.size());
  const payment::Text unpadded = account.Part(significant);
  const bool iban_shape = unpadded.size() >= 4 &&
                          std::isupper(static_cast<unsigned char>(unpadded[0])) &&
                          std::isupper(static_cast<unsigned char>(unpadded[1])) &&
                          std::isdigit(static_cast<unsigned char>(unpadded[2])) &&
                          std::isdigit(static_cast<unsigned char>(unpadded[3]));
  payment::Account result;
  if (iban_shape) {
    result.iban = unpadded;
  } else {
    result.other_id = account;
  }
  return result;
}

void ApplyBankIdentifier(payment::Text id, payment::Agent& agent) {
  if (id.rfind("///", 0) == 0) {
    agent.clearing_system = "DEBLZ";
    agent.member_id = id.Part(3);
  } else if (id.size() == 8 || id.size() == 11) {
    agent.bic = id;
  } else if (!id.empty()) {
    agent.other_id = id;
  }
}

payment::PostalAddress AddressOf(payment::Text street, payment::Text town_line,
                                 payment::Text country, std::size_t payment, std::string_view whose,
                                 payment::TownLineSplitter& splitter, payment::Findings& findings) {
  const payment::TownLine town = splitter.Split(town_line, country);
  if (!town.split && !town_line.empty()) {
    std::string message = "Keine Postleitzahl in der Ortszeile \"";
    message += town_line;
    message += "\" ";
    message += whose;
    message += " erkannt; die ganze Zeile wird Ort";
    findings.Warning(payment, std::move(message));
  }
  // The parts are views of the line, which lives as long as the view.
  return {street, payment::Text::Kept(town.postal_code), payment::Text::Kept(town.town), country};
}

std::optional<std::chrono::year_month_day> ShortDate(std::string_view text) {
  const bool digits =
      std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
  if (text.size() != 6 || !digits) return std::nullopt;
  auto two = [text](std::size_t at) { return (text[at] - '0') * 10 + (text[at + 1] - '0'); };
  const int year = two(0) < 80 ? 2000 + two(0) : 1900 + two(0);
  const std::chrono::year_month_day date{std::chrono::year(year),
                                         std::chrono::month(static_cast<unsigned>(two(2))),
                                         std::chrono::day(static_cast<unsigned>(two(4)))};
  if (!date.ok()) return std::nullopt;
  return date;
}

payment::Text JoinLines(std::initializer_list<payment::Text> lines, payment::TextStore& texts) {
  const auto given = [](payment::Text line) { return !line.empty(); };
  if (std::count_if(lines.begin(), lines.end(), given) <= 1) {
    const auto line = std::find_if(lines.begin(), lines.end(), given);
    return line == lines.end() ? payment::Text() : *line;
  }
  std::string joined;
  bool previous_full = false;
  for (const std::string_view line : lines) {
    if (line.empty()) continue;
    if (!joined.empty() && !previous_full) joined += ' ';
    joined += line;
    // A line has no more characters than bytes: a short one is not counted.
    previous_full = line.size() >= kLineWidth && CodePointCount(line) >= kLineWidth;
  }
  return texts.Keep(joined);
}

}  // namespace xkdtazv::cli
