#include "reader/payment_orders.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string_view>

#include "payment_order/amount.h"
#include "payment_order/identifiers.h"
#include "payment_order/town_line.h"
#include "platform/huge_pages.h"
#include "platform/text.h"
#include "reader/field_meaning.h"
#include "reader/text_encoding.h"

namespace xkdtazv::cli {
namespace {

using payment::Findings;

bool IsDigits(std::string_view text) {
  return !text.empty() &&
         std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}
bool IsZeros(std::string_view text) {
  return std::all_of(text.begin(), text.end(), [](char c) { return c == '0' || c == ' '; });
}
std::string_view Trim(std::string_view text) {
  text = TrimTrailingBlanks(text);  // most of a blank or short field, eight at a time
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  return text;
}

// The amounts' integer parts added up, exactly: in 64 bits while they fit,
// in decimal text beyond.
std::string UnitsTotal(const std::vector<payment::PaymentOrder>& orders) {
  constexpr std::uint64_t kLimit = 1'000'000'000'000'000'000;
  std::uint64_t total = 0;
  std::size_t next = 0;
  for (; next < orders.size(); ++next) {
    const std::string_view units = orders[next].amount.units;
    if (units.size() > 15 ||
        !std::all_of(units.begin(), units.end(), [](char c) { return c >= '0' && c <= '9'; })) {
      break;
    }
    std::uint64_t value = 0;
    for (const char c : units) value = value * 10 + static_cast<std::uint64_t>(c - '0');
    if (total + value >= kLimit) break;
    total += value;
  }
  std::string sum = std::to_string(total);
  for (; next < orders.size(); ++next) sum = payment::AddDecimal(sum, orders[next].amount.units);
  return sum;
}

class OrderReader {
 public:
  explicit OrderReader(Findings& findings) : findings_(findings), table_(MakeWindows1252Table()) {}

  payment::PaymentFile Read(const DtazvFile& file) {
    payment::PaymentFile view;
    texts_ = &view.texts;
    if (!file.readable) {
      findings_.Error(0, "Die Datei ist keine DTAZV-Datei: " + file.unreadable_reason);
      return view;
    }
    // Room for all at once: growing by doubling would hold the old and the
    // new array together, half again the view's size at the peak.
    view.orders.reserve(static_cast<std::size_t>(std::count_if(
        file.records.begin(), file.records.end(), [](const Record& r) { return r.type == 'T'; })));
    detail::PreferHugePages(view.orders.data(),
                            view.orders.capacity() * sizeof(payment::PaymentOrder));
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
          ReadPayment(record, view.orders.emplace_back());
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
  // The field's text in UTF-8: a view of the file's bytes where they are
  // ASCII, the same bytes in UTF-8 (most fields are that alone); a converted
  // copy in the view's store where they are not.
  payment::Text Text(const Record& record, FieldKey id) const {
    const FieldSpec* field = FindFieldByKey(*record.layout, id);
    if (field == nullptr) return {};
    const std::string_view raw = Trim(record.Field(*field));
    if (detail::IsAscii(raw)) return payment::Text::Kept(raw);
    const auto upper = std::find_if(raw.begin(), raw.end(),
                                    [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
    std::string text(raw.begin(), upper);
    for (auto c = upper; c != raw.end(); ++c) text += table_[static_cast<unsigned char>(*c)];
    return texts_->Keep(text);
  }
  // A text the view keeps a copy of: one computed here.
  payment::Text Keep(std::string_view text) const { return texts_->Keep(text); }
  std::string_view Raw(const Record& record, FieldKey id) const {
    return record.Field(*FindFieldByKey(*record.layout, id));
  }

  payment::PostalAddress Address(payment::Text street, payment::Text town_line,
                                 payment::Text country, std::size_t payment,
                                 std::string_view whose) {
    return AddressOf(street, town_line, country, payment, whose, splitter_, findings_);
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
    const std::string sum = UnitsTotal(view.orders);
    const std::string_view total = Raw(z, "Z3");
    const std::string stated_total(
        total.substr(std::min(total.find_first_not_of('0'), total.size() - 1)));
    if (!IsDigits(total) || stated_total != sum) {
      findings_.Error(0, "Die Summe der Betraege im Z-Satz (" + stated_total +
                             ") passt nicht zu den Zahlungen (" + sum + ")");
    }
  }

  void ReadHeader(const Record& q, payment::PaymentFile& view) {
    view.initiating_party.name = JoinLines({Text(q, "Q5.1"), Text(q, "Q5.2")}, *texts_);
    view.initiating_party.address =
        Address(Text(q, "Q5.3"), Text(q, "Q5.4"), "DE", 0, "des Auftraggebers");
    execution_date_ = ShortDate(Raw(q, "Q8"));
    if (!execution_date_) findings_.Error(0, "Das Ausfuehrungsdatum im Q-Satz ist kein Datum");
  }

  // Into its place in the view: an order is large to move.
  void ReadPayment(const Record& t, payment::PaymentOrder& order) {
    const std::size_t n = t.payment;
    order.number = n;
    ReadKind(t, order);
    ReadAmount(t, order);
    ReadAccounts(t, order);
    ReadDate(t, order);
    ReadCreditor(t, order);
    ReadInstructions(t, order);
    ApplyChargesCode(Raw(t, "T21"), Text(t, "T21"), order, *texts_, findings_);
    order.remittance = JoinLines(
        {Text(t, "T15.1"), Text(t, "T15.2"), Text(t, "T15.3"), Text(t, "T15.4")}, *texts_);
    order.instruction_id = Text(t, "T23");
  }

  void ReadKind(const Record& t, payment::PaymentOrder& order) {
    ApplyPaymentKind(Text(t, "T22"), order, *texts_, findings_);
  }

  void ReadAmount(const Record& t, payment::PaymentOrder& order) {
    const std::string_view units = Raw(t, "T14a");
    const std::string_view fraction = Raw(t, "T14b");
    if (!IsDigits(units) || !IsDigits(fraction)) {
      findings_.Error(order.number, "Der Betrag besteht nicht nur aus Ziffern");
      return;
    }
    const std::size_t first = std::min(units.find_first_not_of('0'), units.size() - 1);
    order.amount = {Text(t, "T13"), payment::Text::Kept(units.substr(first)),
                    payment::Text::Kept(fraction)};
  }

  void ReadAccounts(const Record& t, payment::PaymentOrder& order) {
    const std::string_view bank_code = Raw(t, "T3");
    order.debtor_bank_code = payment::Text::Kept(bank_code);
    order.debtor_account = {DebtorIban(bank_code, Raw(t, "T4b")), "", Text(t, "T4a")};
    if (order.debtor_account.iban.empty()) {
      findings_.Error(order.number, "Aus BLZ \"" + Text(t, "T3") + "\" und Kontonummer \"" +
                                        Text(t, "T4b") + "\" ergibt sich keine IBAN");
    }
    const std::string_view charges_number = Raw(t, "T7b");
    if (IsZeros(charges_number)) return;
    const std::string_view charges_bank = IsZeros(Raw(t, "T6")) ? Raw(t, "T3") : Raw(t, "T6");
    payment::Account charges{Keep(payment::GermanIban(charges_bank, charges_number)), "",
                             Text(t, "T7a")};
    if (charges.iban.empty()) {
      findings_.Error(order.number, "Aus BLZ_E und Kontonummer_E ergibt sich keine IBAN");
    } else if (charges.iban != order.debtor_account.iban ||
               charges.currency != order.debtor_account.currency) {
      order.charges_account = std::move(charges);
    }
  }

  // The payments of a file are mostly debited to one account: its IBAN is
  // computed, and kept, once.
  payment::Text DebtorIban(std::string_view bank_code, std::string_view account) {
    if (!debtor_iban_known_ || bank_code != debtor_bank_code_ || account != debtor_number_) {
      debtor_iban_ = Keep(payment::GermanIban(bank_code, account));
      debtor_bank_code_ = bank_code;
      debtor_number_ = account;
      debtor_iban_known_ = true;
    }
    return debtor_iban_;
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
    const payment::Text country = Text(t, "T10a").Part(0, 2);
    order.creditor.name = JoinLines({Text(t, "T10b.1"), Text(t, "T10b.2")}, *texts_);
    order.creditor.address =
        Address(Text(t, "T10b.3"), Text(t, "T10b.4"), country, n, "des Empfaengers");

    // The account: an IBAN, padded with zeros behind a "/", or any other account number.
    order.creditor_account = CreditorAccountOf(Text(t, "T12"));

    payment::Agent& agent = order.creditor_agent;
    ApplyBankIdentifier(Text(t, "T8"), agent);
    const payment::Text bank_country = Text(t, "T9a").Part(0, 2);
    const payment::Text first_line = Text(t, "T9b.1");
    if (first_line == kUnknownBank) {
      if (agent.bic.empty() && agent.member_id.empty() && agent.other_id.empty()) {
        findings_.Note(n,
                       "Die Bankanschrift \"UNBEKANNT\" ohne BIC hat keine Entsprechung; die Bank "
                       "des Empfaengers bleibt ungenannt");
      }
      return;
    }
    agent.name = JoinLines({first_line, Text(t, "T9b.2")}, *texts_);
    if (agent.name.empty()) return;
    agent.address = Address(Text(t, "T9b.3"), Text(t, "T9b.4"),
                            bank_country.empty() ? country : bank_country, n, "der Bank");
  }

  void ReadInstructions(const Record& t, payment::PaymentOrder& order) {
    ApplyInstructionCodes({Text(t, "T16"), Text(t, "T17"), Text(t, "T18"), Text(t, "T19")},
                          Text(t, "T20"), order, *texts_, findings_);
  }

  Findings& findings_;
  payment::TextStore* texts_ = nullptr;  // the view's
  Windows1252Table table_;
  payment::TownLineSplitter splitter_;
  std::optional<std::chrono::year_month_day> execution_date_;
  bool debtor_iban_known_ = false;
  std::string debtor_bank_code_;
  std::string debtor_number_;
  payment::Text debtor_iban_;
};

}  // namespace

payment::PaymentFile ReadPaymentOrders(const DtazvFile& file, Findings& findings) {
  return OrderReader(findings).Read(file);
}

}  // namespace xkdtazv::cli
