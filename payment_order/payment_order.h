// The neutral view of a payment order: what one credit transfer says,
// independent of the file format it came from or is written to. The DTAZV
// reader builds it from a file; the pain.001 writer takes nothing else. Its
// texts are views (see text.h) of the source or of the file's own store.
//
//   PaymentOrder order;
//   order.amount = {"JPY", "150000", ""};
//   order.creditor.address = {"1-2-3 GINZA", "104-0061", "TOKYO", "JP"};
#ifndef XKDTAZV_PAYMENT_ORDER_PAYMENT_ORDER_H_
#define XKDTAZV_PAYMENT_ORDER_PAYMENT_ORDER_H_

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "payment_order/text.h"

namespace xkdtazv::payment {

// An exact decimal amount in an ISO 4217 currency, as digits: never a binary
// floating point number.
struct Amount {
  Text currency;  // three capital letters
  Text units;     // the integer part: digits, no leading zeros, "0" for none
  Text fraction;  // the decimal digits as given, possibly empty
};

// Structured ("hybrid") postal address: town and country in their own
// elements, the street line as one address line.
struct PostalAddress {
  Text street;  // street and number or post box; empty for none
  Text postal_code;
  Text town;
  Text country;  // ISO 3166 alpha-2
};

struct Party {
  Text name;
  PostalAddress address;
};

struct Account {
  Text iban;      // without blanks or padding
  Text other_id;  // an account number where there is no IBAN
  Text currency;  // the account's currency; empty when not known

  bool empty() const noexcept { return iban.empty() && other_id.empty(); }
  bool operator==(const Account&) const = default;
};

// The payee's bank: a BIC, a clearing code, another identification, or a name
// and postal address; several may be known at once.
struct Agent {
  Text bic;
  Text clearing_system;  // such as "DEBLZ" for a German bank code
  Text member_id;        // the bank's code in that clearing system
  Text other_id;         // another identification, such as a CHIPS id
  Text name;
  PostalAddress address;

  bool empty() const noexcept {
    return bic.empty() && member_id.empty() && other_id.empty() && name.empty();
  }
};

enum class PaymentKind : std::int32_t {
  kGeneral,      // cross-border transfer, normal speed
  kUrgent,       // telex or SWIFT urgent
  kEuroSameDay,  // same-day urgent transfer in euro
  kEuStandard,   // euro transfer within the EU/EEA: a SEPA credit transfer
  kCheque,       // a cheque drawn on the ordering party
};

enum class ChargeBearer : std::int32_t {
  kShared,    // each party pays its own bank
  kDebtor,    // the ordering party pays everything
  kCreditor,  // the payee pays everything
};

// The instructions a payee's bank understands as codes.
enum class CreditorAgentCode : std::int32_t {
  kChequeOnly,       // pay by cheque only
  kHold,             // pay only after identification
  kPhoneCreditor,    // advise the payee by phone
  kTelecomCreditor,  // advise the payee by telecom
};

struct CreditorAgentInstruction {
  CreditorAgentCode code;
  Text text;  // empty for none
};

struct PaymentOrder {
  std::size_t number = 0;  // 1-based position of the payment in its source
  PaymentKind kind = PaymentKind::kGeneral;
  Text kind_code;  // the payment kind as the source wrote it, for messages

  // With `transfer_currency` set, `amount` is an equivalent: the payee gets
  // its value in `transfer_currency`.
  Amount amount;
  Text transfer_currency;

  Account debtor_account;
  Text debtor_bank_code;    // German bank code of the account debited
  Text debtor_agent_bic;    // empty when not known
  Account charges_account;  // empty: charges go to the debtor account
  std::chrono::year_month_day execution_date{};

  Party creditor;
  Account creditor_account;
  Agent creditor_agent;

  ChargeBearer charge_bearer = ChargeBearer::kShared;
  Text charges_code;      // as the source wrote it, for messages
  Text category_purpose;  // ISO category purpose code such as "INTC"
  std::vector<CreditorAgentInstruction> creditor_agent_instructions;
  Text debtor_agent_instruction;
  Text remittance;
  Text end_to_end_id;   // empty: the payer gave none
  Text instruction_id;  // the payer's own reference, not forwarded
};

// What a source file holds apart from its payments.
struct PaymentFile {
  // Holds the texts of the view that its source does not: built, joined or
  // converted ones. First, so that it outlives the views of it.
  TextStore texts;
  // The payer of every order, once for all of them.
  Party initiating_party;
  std::vector<PaymentOrder> orders;
};

}  // namespace xkdtazv::payment

#endif  // XKDTAZV_PAYMENT_ORDER_PAYMENT_ORDER_H_
