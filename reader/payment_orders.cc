#include "reader/payment_orders.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <optional>
#include <string_view>

#include "payment_order/amount.h"
#include "payment_order/identifiers.h"
#include "payment_order/town_line.h"
#include "reader/text_encoding.h"

namespace xkdtazv::cli {
namespace {

using payment::ChargeBearer;
using payment::CreditorAgentCode;
using payment::Findings;
using payment::PaymentKind;

constexpr std::string_view kUnknownBank = "UNBEKANNT";
constexpr std::size_t kLineWidth = 35;  // the width of each name, address and purpose line

bool IsDigits(std::string_view text) {
  return !text.empty() &&
         std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}
bool IsZeros(std::string_view text) {
  return std::all_of(text.begin(), text.end(), [](char c) { return c == '0' || c == ' '; });
}
std::string_view Trim(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  return text;
}

// Dates as DTAZV writes them, JJMMTT; years 00 to 79 are 2000 to 2079.
std::optional<std::chrono::year_month_day> ShortDate(std::string_view text) {
  if (text.size() != 6 || !IsDigits(text)) return std::nullopt;
  auto two = [text](std::size_t at) { return (text[at] - '0') * 10 + (text[at + 1] - '0'); };
  const int year = two(0) < 80 ? 2000 + two(0) : 1900 + two(0);
  const std::chrono::year_month_day date{std::chrono::year(year),
                                         std::chrono::month(static_cast<unsigned>(two(2))),
                                         std::chrono::day(static_cast<unsigned>(two(4)))};
  if (!date.ok()) return std::nullopt;
  return date;
}

// Lines that continue each other: a full line runs on into the next without
// a blank, as a cut word does.
std::string JoinLines(const std::vector<std::string>& lines) {
  std::string joined;
  std::size_t previous_width = 0;
  for (const std::string& line : lines) {
    if (line.empty()) continue;
    if (!joined.empty() && previous_width < kLineWidth) joined += ' ';
    joined += line;
    previous_width = CodePointCount(line);
  }
  return joined;
}

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

class OrderReader {
 public:
  explicit OrderReader(Findings& findings) : findings_(findings), table_(MakeWindows1252Table()) {}

  payment::PaymentFile Read(const DtazvFile& file) {
    payment::PaymentFile view;
    if (!file.readable) {
      findings_.Error(0, "Die Datei ist keine DTAZV-Datei: " + file.unreadable_reason);
      return view;
    }
    bool header_seen = false;
    const Record* trailer = nullptr;
    for (const Record& record : file.records) {
      if (!record.whole()) {
        findings_.Error(record.payment, "Satz " + std::to_string(record.index) +
                                            " ist kein vollstaendiger Q-, T-, V-, W- oder Z-Satz");
        continue;
      }
      switch (record.type) {
        case 'Q':
          header_seen = true;
          ReadHeader(record, view);
          break;
        case 'T':
          if (!header_seen) {
            findings_.Error(record.payment, "Der T-Satz steht vor dem Q-Satz");
            break;
          }
          view.orders.push_back(ReadPayment(record, view.initiating_party));
          break;
        case 'Z':
          trailer = &record;
          break;
        case 'V':
        case 'W':
          findings_.Note(view.orders.empty() ? 0 : view.orders.back().number,
                         std::string("Der Meldesatz ") + record.type +
                             " hat keine Entsprechung; Meldungen gehen heute direkt an die "
                             "Deutsche Bundesbank");
          break;
        default:
          break;
      }
    }
    if (!header_seen) findings_.Error(0, "Die Datei hat keinen Q-Satz");
    if (trailer == nullptr) {
      findings_.Error(0, "Die Datei hat keinen Z-Satz; sie ist womoeglich unvollstaendig");
    } else {
      CheckTrailer(*trailer, view);
    }
    if (view.orders.empty() && header_seen) findings_.Error(0, "Die Datei enthaelt keine Zahlung");
    return view;
  }

 private:
  std::string Text(const Record& record, std::string_view id) const {
    const FieldSpec* field = FindField(*record.layout, id);
    if (field == nullptr) return {};
    std::string text;
    for (const char c : Trim(record.Field(*field))) text += table_[static_cast<unsigned char>(c)];
    return text;
  }
  std::string_view Raw(const Record& record, std::string_view id) const {
    return record.Field(*FindField(*record.layout, id));
  }

  payment::PostalAddress Address(std::string street, const std::string& town_line,
                                 std::string country, std::size_t payment, std::string_view whose) {
    payment::TownLine town = splitter_.Split(town_line, country);
    if (!town.split && !town_line.empty()) {
      findings_.Warning(payment, "Keine Postleitzahl in der Ortszeile \"" + town_line + "\" " +
                                     std::string(whose) + " erkannt; die ganze Zeile wird Ort");
    }
    return {std::move(street), std::move(town.postal_code), std::move(town.town),
            std::move(country)};
  }

  // The trailer's totals show whether the file holds every payment it was written with.
  void CheckTrailer(const Record& z, const payment::PaymentFile& view) {
    const std::string_view count = Raw(z, "Z4");
    const std::string expected = std::to_string(view.orders.size());
    const std::string stated(
        count.substr(std::min(count.find_first_not_of('0'), count.size() - 1)));
    if (!IsDigits(count) || stated != expected) {
      findings_.Error(0,
                      "Der Z-Satz nennt " + stated + " Zahlungen, die Datei enthaelt " + expected);
    }
    std::string sum = "0";
    for (const payment::PaymentOrder& order : view.orders)
      sum = payment::AddDecimal(sum, order.amount.units);
    const std::string_view total = Raw(z, "Z3");
    const std::string stated_total(
        total.substr(std::min(total.find_first_not_of('0'), total.size() - 1)));
    if (!IsDigits(total) || stated_total != sum) {
      findings_.Error(0, "Die Summe der Betraege im Z-Satz (" + stated_total +
                             ") passt nicht zu den Zahlungen (" + sum + ")");
    }
  }

  void ReadHeader(const Record& q, payment::PaymentFile& view) {
    view.initiating_party.name = JoinLines({Text(q, "Q5.1"), Text(q, "Q5.2")});
    view.initiating_party.address =
        Address(Text(q, "Q5.3"), Text(q, "Q5.4"), "DE", 0, "des Auftraggebers");
    execution_date_ = ShortDate(Raw(q, "Q8"));
    if (!execution_date_) findings_.Error(0, "Das Ausfuehrungsdatum im Q-Satz ist kein Datum");
  }

  payment::PaymentOrder ReadPayment(const Record& t, const payment::Party& debtor) {
    payment::PaymentOrder order;
    const std::size_t n = t.payment;
    order.number = n;
    order.debtor = debtor;
    ReadKind(t, order);
    ReadAmount(t, order);
    ReadAccounts(t, order);
    ReadDate(t, order);
    ReadCreditor(t, order);
    ReadInstructions(t, order);
    order.charges_code = std::string(Raw(t, "T21"));
    const auto charges = std::find_if(kCharges.begin(), kCharges.end(), [&](const ChargesCode& c) {
      return c.code == order.charges_code;
    });
    if (charges == kCharges.end()) {
      findings_.Error(n, "Entgeltregelung \"" + Text(t, "T21") + "\" ist unbekannt");
    } else {
      order.charge_bearer = charges->bearer;
    }
    order.remittance =
        JoinLines({Text(t, "T15.1"), Text(t, "T15.2"), Text(t, "T15.3"), Text(t, "T15.4")});
    order.instruction_id = Text(t, "T23");
    return order;
  }

  void ReadKind(const Record& t, payment::PaymentOrder& order) {
    order.kind_code = Text(t, "T22");
    const auto kind = std::find_if(kKinds.begin(), kKinds.end(),
                                   [&](const KindCode& k) { return k.code == order.kind_code; });
    if (kind != kKinds.end()) {
      order.kind = kind->kind;
      return;
    }
    order.kind = PaymentKind::kGeneral;
    findings_.Warning(order.number, "Zahlungsart \"" + order.kind_code +
                                        "\" ist unbekannt; die Zahlung geht als allgemeine "
                                        "Auslandszahlung");
  }

  void ReadAmount(const Record& t, payment::PaymentOrder& order) {
    const std::string_view units = Raw(t, "T14a");
    const std::string_view fraction = Raw(t, "T14b");
    if (!IsDigits(units) || !IsDigits(fraction)) {
      findings_.Error(order.number, "Der Betrag besteht nicht nur aus Ziffern");
      return;
    }
    const std::size_t first = std::min(units.find_first_not_of('0'), units.size() - 1);
    order.amount = {Text(t, "T13"), std::string(units.substr(first)), std::string(fraction)};
  }

  void ReadAccounts(const Record& t, payment::PaymentOrder& order) {
    const std::string bank_code(Raw(t, "T3"));
    order.debtor_bank_code = bank_code;
    order.debtor_account = {payment::GermanIban(bank_code, Raw(t, "T4b")), "", Text(t, "T4a")};
    if (order.debtor_account.iban.empty()) {
      findings_.Error(order.number, "Aus BLZ \"" + Text(t, "T3") + "\" und Kontonummer \"" +
                                        Text(t, "T4b") + "\" ergibt sich keine IBAN");
    }
    const std::string_view charges_number = Raw(t, "T7b");
    if (IsZeros(charges_number)) return;
    const std::string_view charges_bank = IsZeros(Raw(t, "T6")) ? Raw(t, "T3") : Raw(t, "T6");
    payment::Account charges{payment::GermanIban(charges_bank, charges_number), "", Text(t, "T7a")};
    if (charges.iban.empty()) {
      findings_.Error(order.number, "Aus BLZ_E und Kontonummer_E ergibt sich keine IBAN");
    } else if (charges.iban != order.debtor_account.iban ||
               charges.currency != order.debtor_account.currency) {
      order.charges_account = std::move(charges);
    }
  }

  void ReadDate(const Record& t, payment::PaymentOrder& order) {
    const std::string_view own = Raw(t, "T5");
    if (IsZeros(own)) {
      if (execution_date_) order.execution_date = *execution_date_;
      return;
    }
    if (const auto date = ShortDate(own)) {
      order.execution_date = *date;
    } else {
      findings_.Error(order.number,
                      "Das Ausfuehrungsdatum \"" + Text(t, "T5") + "\" ist kein Datum");
    }
  }

  void ReadCreditor(const Record& t, payment::PaymentOrder& order) {
    const std::size_t n = order.number;
    const std::string country = Text(t, "T10a").substr(0, 2);
    order.creditor.name = JoinLines({Text(t, "T10b.1"), Text(t, "T10b.2")});
    order.creditor.address =
        Address(Text(t, "T10b.3"), Text(t, "T10b.4"), country, n, "des Empfaengers");

    // The account: an IBAN, padded with zeros behind a "/", or any other account number.
    std::string account = Text(t, "T12");
    if (!account.empty() && account.front() == '/') account.erase(0, 1);
    const std::size_t significant = std::min(account.find_first_not_of('0'), account.size());
    const std::string_view unpadded = std::string_view(account).substr(significant);
    const bool iban_shape = unpadded.size() >= 4 &&
                            std::isupper(static_cast<unsigned char>(unpadded[0])) &&
                            std::isupper(static_cast<unsigned char>(unpadded[1])) &&
                            std::isdigit(static_cast<unsigned char>(unpadded[2])) &&
                            std::isdigit(static_cast<unsigned char>(unpadded[3]));
    if (iban_shape) {
      order.creditor_account.iban = std::string(unpadded);
    } else {
      order.creditor_account.other_id = account;
    }

    payment::Agent& agent = order.creditor_agent;
    const std::string id = Text(t, "T8");
    if (id.rfind("///", 0) == 0) {
      agent.clearing_system = "DEBLZ";
      agent.member_id = id.substr(3);
    } else if (id.size() == 8 || id.size() == 11) {
      agent.bic = id;
    } else if (!id.empty()) {
      agent.other_id = id;
    }
    const std::string bank_country = Text(t, "T9a").substr(0, 2);
    const std::string first_line = Text(t, "T9b.1");
    if (first_line == kUnknownBank) {
      if (agent.bic.empty() && agent.member_id.empty() && agent.other_id.empty()) {
        findings_.Note(n,
                       "Die Bankanschrift \"UNBEKANNT\" ohne BIC hat keine Entsprechung; die Bank "
                       "des Empfaengers bleibt ungenannt");
      }
      return;
    }
    agent.name = JoinLines({first_line, Text(t, "T9b.2")});
    if (agent.name.empty()) return;
    agent.address = Address(Text(t, "T9b.3"), Text(t, "T9b.4"),
                            bank_country.empty() ? country : bank_country, n, "der Bank");
  }

  void ReadInstructions(const Record& t, payment::PaymentOrder& order) {
    const std::string extra = Text(t, "T20");
    std::string for_own_bank;
    for (const std::string_view id : {"T16", "T17", "T18", "T19"}) {
      const std::string code = Text(t, id);
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
        order.creditor_agent_instructions.push_back({agent->agent_code, first ? extra : ""});
        continue;
      }
      const auto category = std::find_if(kCategoryCodes.begin(), kCategoryCodes.end(),
                                         [&](const auto& c) { return c.first == code; });
      if (category != kCategoryCodes.end()) {
        if (order.category_purpose.empty()) {
          order.category_purpose = std::string(category->second);
        } else {
          findings_.Warning(order.number,
                            "Weisungsschluessel " + code +
                                " entfaellt; die Zahlung traegt schon die Kategorie " +
                                order.category_purpose);
        }
        continue;
      }
      for_own_bank += (for_own_bank.empty() ? "" : " ") + code;
    }
    if (!for_own_bank.empty()) {
      order.debtor_agent_instruction = "WEISUNGSSCHLUESSEL " + for_own_bank;
      if (order.creditor_agent_instructions.empty() && !extra.empty()) {
        order.debtor_agent_instruction += " " + extra;
      }
    } else if (order.creditor_agent_instructions.empty() && !extra.empty()) {
      order.debtor_agent_instruction = extra;
    }
  }

  Findings& findings_;
  Windows1252Table table_;
  payment::TownLineSplitter splitter_;
  std::optional<std::chrono::year_month_day> execution_date_;
};

}  // namespace

payment::PaymentFile ReadPaymentOrders(const DtazvFile& file, Findings& findings) {
  return OrderReader(findings).Read(file);
}

}  // namespace xkdtazv::cli
